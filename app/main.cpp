// Corvane Zone: a teaching animation of a subduction zone. The process
// entry of the platform (app/platform_sdl_main.cpp) calls programMain.
#include <string>

#include "app/classroom.h"
#include "app/command_line.h"
#include "app/language.h"
#include "app/platform.h"
#include "app/program.h"
#include "app/shell.h"
#include "app/window.h"
#include "assets/language_faces.h"
#include "velmkit/velm_font.h"

int programMain(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.action != CommandLine::Action::Run)
        return answerCommandLine(line);
    findPicturesBesideProgram();
    velmSetFontFolders(fontFolders());
    const std::string language = setUpLanguage(line.language, localeFolder());
    velmSetFallbackFamily(fallbackFamilyOf(language));
    Program& program = startUp(language != englishLanguage);
    if (line.fullScreen)
        setFullScreen(program, true);
    if (line.paused)
        setPaused(program, true);
    runFrames([](void* running) { runFrame(*static_cast<Program*>(running)); }, &program);
}
