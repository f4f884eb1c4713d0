// Corvane Zone: a teaching animation of a subduction zone.
#include <SDL/SDL.h>   // on Windows its start-up module calls this main

#include <string>

#include "app/command_line.h"
#include "app/language.h"
#include "app/platform.h"
#include "app/shell.h"
#include "velmkit/velm_font.h"

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.action != CommandLine::Action::Run)
        return answerCommandLine(line);
    findPicturesBesideProgram();
    velmSetFontFolders(fontFolders());
    const std::string language = setUpLanguage(line.language, localeFolder());
    Program& program = startUp(translatedFeaturesPicture(language));
    if (line.fullScreen)
        setFullScreen(program, true);
    for (;;)
        runFrame(program);
}
