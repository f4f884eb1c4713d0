// Corvane Zone: a teaching animation of a subduction zone.
#include <SDL/SDL.h>   // on Windows its start-up module calls this main
#include <unistd.h>

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
    // The features picture with its labels in the learner's language, when
    // there is one; English uses the shipped corvane_features.png.
    const std::string language = setUpLanguage(line.language, localeFolder());
    const std::string translated = "corvane_features_" + language + ".png";
    const bool hasTranslated = language != "en" && access(translated.c_str(), R_OK) == 0;
    Program& program = startUp(hasTranslated ? translated : "");
    if (line.fullScreen)
        setFullScreen(program, true);
    for (;;)
        runFrame(program);
}
