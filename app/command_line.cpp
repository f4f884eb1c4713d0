// The command line: --help, --version, and a clear answer to anything else.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr int misuseStatus = 2;   // as the GNU tools answer a bad command line

const char* const usage =
    "Usage: %s [OPTION]\n"
    "Corvane Zone: a teaching animation of a subduction zone. An oceanic plate\n"
    "sinks beneath a continental plate and moves towards the trench, volcanic\n"
    "vents give off gas and ash and an arrow shows magma rising.\n"
    "\n"
    "      --fullscreen  start in full screen\n"
    "      --paused      start paused (P starts the animation)\n"
    "      --lang=LANG   show the texts in LANG whatever the environment says:\n"
    "                    en, de, el, es, fr, id, it, ja, ko, nl, pl, pt_BR,\n"
    "                    pt_PT (or pt), ru, tr, uk, vi, zh_CN, zh_TW\n"
    "  -h, --help        show this help and exit\n"
    "  -V, --version     show the version and exit\n"
    "\n"
    "In the window: tick \"Highlighted Features\" (or press Tab, then Space) to\n"
    "label the features; rest the pointer on the logo for the credits. P pauses,\n"
    "F11 (or Alt+Enter) switches to full screen and Escape leaves it, F12 saves a\n"
    "picture of the window in the pictures folder, F1 (or ?) lists the keys.\n"
    "Right and Left (or N and B) show the features one at a time, each with a\n"
    "sentence on what it is; Escape or stepping past either end ends the tour.\n"
    "Control+Q or closing the window quits.\n"
    "\n"
    "The pictures are read from the working directory.\n";

bool is(const char* argument, const char* shortForm, const char* longForm) {
    return std::strcmp(argument, shortForm) == 0 || std::strcmp(argument, longForm) == 0;
}
}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    if (argc > 0 && argv[0] != nullptr && *argv[0] != '\0') {
        const char* slash = std::strrchr(argv[0], '/');
        line.program = slash != nullptr ? slash + 1 : argv[0];
    }
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (is(argument, "-h", "--help")) {
            line.action = CommandLine::Action::Help;
        } else if (is(argument, "-V", "--version")) {
            line.action = CommandLine::Action::Version;
        } else if (std::strcmp(argument, "--fullscreen") == 0) {
            line.fullScreen = true;
        } else if (std::strcmp(argument, "--paused") == 0) {
            line.paused = true;
        } else if (std::strncmp(argument, "--lang=", 7) == 0 && argument[7] != '\0') {
            line.language = argument + 7;
        } else if (std::strcmp(argument, "--lang") == 0) {
            if (i + 1 >= argc) {
                line.action = CommandLine::Action::Error;
                line.error = "option '--lang' needs a language";
                return line;
            }
            line.language = argv[++i];
        } else {
            line.action = CommandLine::Action::Error;
            line.error = argument[0] == '-' ? "unrecognized option '" + std::string(argument) + "'"
                                            : "unexpected argument '" + std::string(argument) + "'";
        }
        if (line.action != CommandLine::Action::Run)
            return line;   // the first option that is not "run" decides
    }
    return line;
}

int answerCommandLine(const CommandLine& line) {
    switch (line.action) {
    case CommandLine::Action::Help:
        std::printf(usage, line.program.c_str());
        return 0;
    case CommandLine::Action::Version:
        std::printf("Corvane Zone %s\n", CORVANE_VERSION);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", line.program.c_str(),
                     line.error.c_str(), line.program.c_str());
        return misuseStatus;
    case CommandLine::Action::Run:
        break;
    }
    return 0;
}
