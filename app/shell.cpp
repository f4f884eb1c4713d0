// The application shell: start-up in its fixed order, the frame loop, the
// event pump, window resizing and the exit handler.
#include "app/shell.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "animation/animation.h"
#include "animation/vent_cone.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/timers.h"
#include "assets/textures.h"
#include "interface/interface.h"
#include "render/block.h"
#include "render/frame.h"
#include "render/plate.h"
#include "render/scene.h"
#include "velmkit/velm.h"

int32_t windowWidth = 0;
int32_t windowHeight = 0;
double lastTime = 0.0;
VelmContext* guiContext = nullptr;
StartupMarks startupMarks;
float lastFrameStep = 0;

namespace {
constexpr int startWidth = 640;
constexpr int startHeight = 480;
constexpr int colourDepth = 32;
constexpr int keyRepeatDelayMs = 500;
constexpr int keyRepeatIntervalMs = 30;
constexpr Uint32 startVideoFlags = SDL_OPENGL;
constexpr Uint32 resizeVideoFlags = SDL_HWSURFACE | SDL_OPENGL | SDL_ASYNCBLIT;
constexpr const char* defaultFontFile = "VERDANA.TTF";

const float panelBackground[4] = {0.05f, 0.1f, 0.2f, 1.0f};
const float panelFace[4] = {0.1f, 0.2f, 0.2f, 1.0f};
const float panelShadow[4] = {0.1f, 0.1f, 0.05f, 1.0f};
const float panelFrame[4] = {0.2f, 0.2f, 0.3f, 1.0f};
const float panelLabel[4] = {0.8f, 0.8f, 0.8f, 1.0f};
const float panelAccent[4] = {0.2f, 0.5f, 0.7f, 1.0f};
const float panelDisabled[4] = {0.2f, 0.2f, 0.2f, 1.0f};

// False once the GL context is gone (a failed mode change): cleanUp then
// frees memory only.
bool glContextAlive = false;

// Before cleanUp is registered the media library is shut down here.
[[noreturn]] void windowFailed(bool atStart) {
    std::fprintf(stderr, "Error: couldn't open the window: %s\n", SDL_GetError());
    glContextAlive = false;
    if (atStart)
        SDL_Quit();
    std::exit(1);
}
}  // namespace

double now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec / 1000) * 1e-6;
}

void startUp() {
    startupMarks.begin = now();
    configureHeap();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf("Error: couldn't initialize video\n");
        std::fflush(stdout);
        std::exit(1);
    }
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    if (SDL_SetVideoMode(startWidth, startHeight, colourDepth, startVideoFlags) == nullptr)
        windowFailed(true);
    glContextAlive = true;
    keepGlDriverLoaded();
    SDL_WM_SetCaption(windowCaption, nullptr);
    SDL_EnableKeyRepeat(keyRepeatDelayMs, keyRepeatIntervalMs);

    // Without a swap tied to the display, frames are paced by waiting.
    int swapControl = 0;
    setFramePacing(SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapControl) != 0 || swapControl != 1);

    timerList = new VelmList<TimerCallback>(true);
    resetFrameClock();
    lastTime = now();

    setupGLState();
    startupMarks.video = now();
    loadTextures();
    startupMarks.textures = now();
    velmInit(addTimer, noOpHook, getModifiers);
    guiContext = new VelmContext(startWidth, startHeight, defaultFontFile, panelBackground,
                                 panelFace, panelShadow, panelFrame, panelLabel, velmWhite,
                                 velmBlack, panelAccent, panelDisabled, false);
    theInterface = new Interface();
    std::atexit(cleanUp);
    startupMarks.widgets = now();

    glViewport(0, 0, startWidth, startHeight);
    windowWidth = startWidth;
    windowHeight = startHeight;
    guiContext->resize(startWidth, startHeight);
    guiContext->resetView();
    layoutCredits(startWidth, startHeight);

    drawFrame();
    startupMarks.firstFrame = now();
    setupCamera();
    thePlates = new PlateSurfaces();
    theBlock = new Block();
    theSceneAnchor = new SceneAnchor();
    createAnimation();
    guiContext->resetView();
    startupMarks.scene = now();
}

void runFrame() {
    pumpEvents();
    const double t1 = now();
    drawFrame();
    paceFrame(t1, now);
    const double t2 = now();
    recordFrameTime(t2 - t1);
    lastFrameStep = animationStep();
    updateAnimation(lastFrameStep);
    const double t3 = now();
    runTimerPass(t3 - lastTime);
    lastTime = t3;
}

void pumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
            handleKeyDown(translateKey(event.key), modifierBits(event.key.keysym.mod));
            break;
        case SDL_KEYUP:
            handleKeyUp(translateKey(event.key));
            break;
        case SDL_MOUSEMOTION:
            handleMouseMotion(event.motion.x, event.motion.y, event.motion.state);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            setMousePosition(event.button.x, event.button.y);
            handleMouseButton(event.button.button, event.button.state);
            break;
        case SDL_QUIT:
            std::exit(0);
        case SDL_VIDEORESIZE:
            resizeWindow(event.resize.w, event.resize.h);
            break;
        default:
            break;
        }
    }
}

void resizeWindow(int w, int h) {
    const WindowPlacement placement = readWindowPlacement();
    if (SDL_SetVideoMode(w, h, colourDepth, resizeVideoFlags) == nullptr)
        windowFailed(false);
    restoreWindowPlacement(placement);
    setupGLState();
    windowHeight = h;
    glViewport(0, 0, w, h);
    windowWidth = w;
    guiContext->resize(w, h);
    guiContext->resetView();
    layoutCredits(w, h);
    drawFrame();
}

void cleanUp() {
    // Lets end-to-end tests see that the exit handler ran.
    const bool report = std::getenv("CORVANE_REPORT_CLEANUP") != nullptr;
    if (guiContext != nullptr) {
        delete guiContext;
        guiContext = nullptr;
    }
    if (timerList != nullptr) {
        delete timerList;
        timerList = nullptr;
    }
    delete thePlates;
    delete theBlock;
    delete theSceneAnchor;
    thePlates = nullptr;
    theBlock = nullptr;
    theSceneAnchor = nullptr;
    for (VentCone* cone : ventCones) {
        if (cone == nullptr)
            continue;
        if (glContextAlive)
            glDeleteLists(cone->displayList, 1);
        delete cone;
    }
    ventCones.clear();
    for (Vent* vent : vents)
        delete vent;
    vents.clear();
    if (glContextAlive)
        deleteTextures();
    delete theArrow;
    theArrow = nullptr;
    delete theInterface;
    theInterface = nullptr;
    SDL_Quit();
    if (report)
        std::fprintf(stderr, "cleanUp: done\n");
}
