// Corvane Zone: a teaching animation of a subduction zone.
#include "app/command_line.h"
#include "app/shell.h"

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.action != CommandLine::Action::Run)
        return answerCommandLine(line);
    Program& program = startUp();
    for (;;)
        runFrame(program);
}
