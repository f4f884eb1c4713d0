// The classroom keys' actions on the program.
#include "app/classroom.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/program.h"
#include "app/shell.h"
#include "app/platform.h"
#include "app/snapshot.h"
#include "assets/image.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "interface/logo_button.h"
#include "interface/translation.h"
#include "velmkit/velm.h"

namespace {
// Names tried for one second's pictures before giving up.
constexpr int namesPerSecond = 99;

// "format" with its one %s replaced by value.
std::string fill(const char* format, const std::string& value) {
    std::string out = format;
    const size_t at = out.find("%s");
    if (at != std::string::npos)
        out.replace(at, 2, value);
    return out;
}
}  // namespace

ClassroomPanel& classroomPanel(Program& program) {
    if (program.classroom == nullptr) {
        program.classroom = new ClassroomPanel(program.guiContext);
        program.classroom->layout(designWidth, designHeight);
    }
    return *program.classroom;
}

void setPaused(Program& program, bool paused) {
    program.paused = paused;
    classroomPanel(program).setPaused(paused);
}

void runCommand(Program& program, Command command) {
    switch (command) {
    case Command::TogglePause: setPaused(program, !program.paused); break;
    case Command::ToggleFullScreen: setFullScreen(program, !program.fullScreen); break;
    case Command::LeaveFullScreen: setFullScreen(program, false); break;
    case Command::SavePicture: program.pictureRequested = true; break;
    case Command::ToggleHelp: classroomPanel(program).toggleHelp(); break;
    case Command::None: break;
    }
}

std::string savingFailure(int error) {
    switch (error) {
    case ENOSPC: return tr("the disk is full");
    case EACCES:
    case EPERM: return tr("that folder may not be written to");
    case EROFS: return tr("that disk cannot be written to");
    case ENOENT:
    case ENOTDIR: return tr("the folder is not there");
    case EEXIST: return tr("every name for this second is taken");
    case EINVAL:
    case EIO: return tr("the picture could not be written");
    default: return std::strerror(error);
    }
}

void savePicture(Program& program) {
    const Image frame = std::move(program.picture);
    program.picture = Image();
    const std::string folder = picturesFolder();
    const std::time_t t = std::time(nullptr);
    std::string reason = tr("there is no folder for pictures");
    for (int attempt = 1; !folder.empty() && attempt <= namesPerSecond; ++attempt) {
        const std::string name = pictureFileName(t, attempt);
        int error = 0;
        if (savePngAsNewFile(folder + "/" + name, frame, error)) {
            classroomPanel(program).showNotice(fill(tr("Saved \"%s\""), name) + " " + fill(tr("in %s"), folder));
            return;
        }
        reason = savingFailure(error);
        if (error != EEXIST)
            break;
    }
    classroomPanel(program).showNotice(fill(tr("The picture could not be saved: %s"), reason));
}

void rebuildGlResources(Program& program) {
    // Fonts first: their old glyph textures' names may come back for ours.
    VelmFont::forgetAllGlObjects();
    loadTextures(program.textures, program.featuresPicture.empty() ? nullptr : program.featuresPicture.c_str());
    program.featuresWidth = program.featuresHeight = 0;   // the file's picture again
    program.theInterface->logo->texture = program.textures.logoTexture;
    recompileCones(program.animation);
}
