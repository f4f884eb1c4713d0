// The command line: the conventions a Linux program answers to.
#pragma once

#include <string>

// What the command line asks for. Without options: run, as always.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string program = "corvane";   // the name to speak as (argv[0]'s last part)
    std::string error;                 // for Error: what was wrong, one line
    bool fullScreen = false;           // --fullscreen: start in full screen
    bool paused = false;               // --paused: start paused (P starts the animation)
    std::string language;              // --lang: the texts' language, over the environment's
};

CommandLine parseCommandLine(int argc, const char* const* argv);

// For Help, Version and Error: prints the answer (usage and version on
// standard output, an error and the hint to --help on standard error) and
// returns the exit status: 0, or 2 for a command line that is not understood.
int answerCommandLine(const CommandLine& line);
