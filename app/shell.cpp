// The application shell: start-up in its fixed order, the frame loop, the
// event pump, window resizing and the exit handler.
#include "app/shell.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include <algorithm>

#include "app/classroom.h"
#include "app/commands.h"
#include "app/platform.h"
#include "app/program.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "interface/translation.h"
#include "render/frame.h"
#include "render/plate.h"
#include "velmkit/velm.h"

namespace {
constexpr int startWidth = 640;
constexpr int startHeight = 480;
constexpr int colourDepth = 32;
constexpr int keyRepeatDelayMs = 500;
constexpr int keyRepeatIntervalMs = 30;
constexpr Uint32 startVideoFlags = SDL_OPENGL;
constexpr Uint32 resizeVideoFlags = SDL_HWSURFACE | SDL_OPENGL | SDL_ASYNCBLIT;
constexpr Uint32 fullScreenVideoFlags = SDL_OPENGL | SDL_FULLSCREEN;

// The one program, for the exit handler, which takes no arguments.
Program* running = nullptr;

// Before cleanUp is registered the media library is shut down here.
[[noreturn]] void windowFailed(Program* program, bool atStart) {
    const std::string message = std::string("Error: couldn't open the window: ") + SDL_GetError() + "\n";
    std::fputs(message.c_str(), stderr);
    alertUser(std::string(tr("Corvane Zone could not open its window:")) + " " + SDL_GetError());
    if (program != nullptr)
        program->glContextAlive = false;
    if (atStart)
        SDL_Quit();
    std::exit(1);
}
}  // namespace

Program& startUp(const std::string& featuresPicture) {
    configureHeap();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf("Error: couldn't initialize video\n");
        std::fflush(stdout);
        alertUser(tr("Corvane Zone could not start the computer's video system."));
        std::exit(1);
    }
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    // Before the first mode is set, SDL reports the desktop's own.
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    const int desktopWidth = desktop != nullptr ? desktop->current_w : 0;
    const int desktopHeight = desktop != nullptr ? desktop->current_h : 0;
    if (SDL_SetVideoMode(startWidth, startHeight, colourDepth, startVideoFlags) == nullptr)
        windowFailed(nullptr, true);
    Program& program = *new Program();
    program.featuresPicture = featuresPicture;
    program.desktopWidth = desktopWidth;
    program.desktopHeight = desktopHeight;
    running = &program;
    keepGlDriverLoaded();
    SDL_WM_SetCaption(windowCaption, nullptr);
    SDL_EnableKeyRepeat(keyRepeatDelayMs, keyRepeatIntervalMs);
    // The character each key types in the keyboard's own layout, for "?";
    // every other key is still translated from its symbol.
    SDL_EnableUNICODE(1);

    // Without a swap tied to the display, frames are paced by waiting.
    int swapControl = 0;
    program.clock.setFramePacing(SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapControl) != 0 ||
                                 swapControl != 1);

    buildProgram(program, true);
    return program;
}

float runFrame(Program& program) {
    pumpEvents(program);
    prepareFeaturesPicture(program);
    const double t1 = now();
    drawFrame(program);
    program.clock.paceFrame(t1, now);
    const double t2 = now();
    program.clock.recordFrameTime(t2 - t1);
    if (!program.picture.empty())
        savePicture(program);
    // While paused nothing moves: no time passes for the animation.
    const float step = program.paused ? 0.0f : program.clock.animationStep();
    updateAnimation(program.animation, program.scene.thePlates->flowOffset, step);
    const double t3 = now();
    runTimerPass(*program.timerList, t3 - program.lastTime);
    program.lastTime = t3;
    return step;
}

void pumpEvents(Program& program) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN: {
            const int32_t key = translateKey(event.key), mods = modifierBits(event.key.keysym.mod);
            const Command command = isIgnoredKey(key) ? Command::None
                                                      : commandFor(mapKey(key, mods), mods, program.fullScreen,
                                                                   event.key.keysym.unicode);
            if (command == Command::None) {
                handleKeyDown(program.guiContext, program.pointer, key, mods);
                break;
            }
            // The program's own keys never reach the widgets, nor do their
            // repeats and releases.
            auto& held = program.commandKeys;
            if (std::find(held.begin(), held.end(), event.key.keysym.sym) == held.end()) {
                held.push_back(event.key.keysym.sym);
                runCommand(program, command);
            }
            break;
        }
        case SDL_KEYUP: {
            auto& held = program.commandKeys;
            const auto at = std::find(held.begin(), held.end(), event.key.keysym.sym);
            if (at != held.end())
                held.erase(at);
            else
                handleKeyUp(program.guiContext, program.pointer, translateKey(event.key));
            break;
        }
        case SDL_MOUSEMOTION:
            handleMouseMotion(program.guiContext, program.pointer, event.motion.x, event.motion.y,
                              event.motion.state, program.windowHeight, program.view);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // A press on a bar beside the design does nothing; a release
            // still ends the press it belongs to.
            if (setMousePosition(program.pointer, event.button.x, event.button.y, program.windowHeight,
                                 program.view) ||
                event.type == SDL_MOUSEBUTTONUP)
                handleMouseButton(program.guiContext, program.pointer, event.button.button, event.button.state);
            break;
        case SDL_QUIT:
            std::exit(0);
        case SDL_VIDEORESIZE:
            resizeWindow(program, event.resize.w, event.resize.h);
            break;
        default:
            break;
        }
    }
}

void resizeWindow(Program& program, int w, int h) {
    // In full screen a new size (Windows reports one after F11) keeps full
    // screen: only F11, Alt+Enter and Escape leave it.
    if (program.fullScreen) {
        if (SDL_SetVideoMode(w, h, colourDepth, fullScreenVideoFlags) == nullptr)
            windowFailed(&program, false);
        applyWindowSize(program, w, h);
        return;
    }
    // Where the window stands now, with the drawing area it is to have.
    WindowPlacement placement = readWindowPlacement();
    placement.width = w;
    placement.height = h;
    if (SDL_SetVideoMode(w, h, colourDepth, resizeVideoFlags) == nullptr)
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
    if (program.classroom != nullptr)
        program.classroom->layout(designWidth, designHeight);
    prepareFeaturesPicture(program);
    drawFrame(program);
}

void setFullScreen(Program& program, bool on) {
    if (on == program.fullScreen || (on && (program.desktopWidth <= 0 || program.desktopHeight <= 0)))
        return;
    int w = program.windowedWidth, h = program.windowedHeight;
    Uint32 flags = resizeVideoFlags;
    if (on) {
        program.windowedWidth = program.windowWidth;
        program.windowedHeight = program.windowHeight;
        w = program.desktopWidth;
        h = program.desktopHeight;
        flags = fullScreenVideoFlags;
    }
    if (SDL_SetVideoMode(w, h, colourDepth, flags) == nullptr)
        windowFailed(&program, false);
    program.fullScreen = on;
    applyWindowSize(program, w, h);
}

void cleanUp() {
    if (running == nullptr)
        return;
    Program& program = *running;
    // Lets end-to-end tests see that the exit handler ran.
    const bool report = std::getenv("CORVANE_REPORT_CLEANUP") != nullptr;
    freeProgram(program);
    delete running;
    running = nullptr;
    SDL_Quit();
    if (report)
        std::fprintf(stderr, "cleanUp: done\n");
}
