// The window: resizing, full screen, and what follows a change of size.
#include "app/window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/platform.h"
#include "app/program.h"
#include "interface/interface.h"
#include "interface/translation.h"
#include "render/frame.h"
#include "velmkit/velm.h"

[[noreturn]] void windowFailed(Program* program, bool atStart) {
    const std::string why = windowError();
    std::fputs(("Error: couldn't open the window: " + why + "\n").c_str(), stderr);
    alertUser(std::string(tr("Corvane Zone could not open its window:")) + " " + why);
    if (program != nullptr)
        program->glContextAlive = false;
    if (atStart)
        stopVideo();
    std::exit(1);
}

void resizeWindow(Program& program, int w, int h) {
    if (program.classroom.fullScreen) {
        if (!setWindowMode(w, h, WindowMode::FullScreen))
            windowFailed(&program, false);
        applyWindowSize(program, w, h);
        return;
    }
    // Where the window stands now, with the drawing area it is to have.
    WindowPlacement placement = readWindowPlacement();
    placement.width = w;
    placement.height = h;
    if (!setWindowMode(w, h, WindowMode::Resized))
        windowFailed(&program, false);
    restoreWindowPlacement(placement);
    applyWindowSize(program, w, h);
}

void applyWindowSize(Program& program, int w, int h) {
    // Where a mode change takes the GL context with it (SDL on Windows),
    // everything the GL held is made again.
    if (!glIsTexture(program.textures.rockTexture))
        rebuildGlResources(program);
    setupGLState();
    program.windowHeight = h;
    // The whole design, scaled as one: the pictures, the scene and the
    // panel keep their places on one another at every size.
    const DesignView& view = program.view = fitDesign(w, h);
    glViewport(view.left, view.bottom, view.width, view.height);
    program.windowWidth = w;
    velmSetPixelScale(view.scale);
    program.guiContext->resize(designWidth, designHeight);
    program.guiContext->resetView();
    layoutCredits(program.theInterface, designWidth, designHeight);
    prepareFeaturesPicture(program);
    drawFrame(program);
}

void setFullScreen(Program& program, bool on) {
    ClassroomState& state = program.classroom;
    if (on == state.fullScreen || (on && (state.desktopWidth <= 0 || state.desktopHeight <= 0)))
        return;
    int w = state.windowedWidth, h = state.windowedHeight;
    if (on) {
        state.windowedWidth = program.windowWidth;
        state.windowedHeight = program.windowHeight;
        w = state.desktopWidth;
        h = state.desktopHeight;
    }
    if (!setWindowMode(w, h, on ? WindowMode::FullScreen : WindowMode::Resized))
        windowFailed(&program, false);
    state.fullScreen = on;
    applyWindowSize(program, w, h);
}

void restoreGraphics(Program& program) {
    rebuildGlResources(program);
    applyWindowSize(program, program.windowWidth, program.windowHeight);
}
