// Platform layer, the desktop: the window, its GL context and its events
// through SDL 1.2, the buffer swap and the clock.
#include "app/platform.h"

#include <SDL/SDL.h>

#include <chrono>

#include "velmkit/velm_base.h"

namespace {
constexpr int colourDepth = 32;
constexpr int keyRepeatDelayMs = 500;
constexpr int keyRepeatIntervalMs = 30;
constexpr Uint32 openingFlags = SDL_OPENGL;
constexpr Uint32 resizedFlags = SDL_HWSURFACE | SDL_OPENGL | SDL_ASYNCBLIT;
constexpr Uint32 fullScreenFlags = SDL_OPENGL | SDL_FULLSCREEN;

// The library's modifier bits for SDL's modifier state: shift 1, control 2,
// alt 4, meta 8, caps lock 16. Num lock and the mode key are not reported.
int32_t modifierBits(SDLMod mod) {
    int32_t bits = 0;
    if (mod & KMOD_SHIFT) bits |= velmModShift;
    if (mod & KMOD_CTRL) bits |= velmModControl;
    if (mod & KMOD_META) bits |= velmModMeta;
    if (mod & KMOD_ALT) bits |= velmModAlt;
    if (mod & KMOD_CAPS) bits |= velmModCapsLock;
    return bits;
}
}  // namespace

bool startVideo() { return SDL_Init(SDL_INIT_VIDEO) >= 0; }

void requestGlContext() {
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
}

void desktopSize(int& width, int& height) {
    // Before the first mode is set, SDL reports the desktop's own.
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    width = desktop != nullptr ? desktop->current_w : 0;
    height = desktop != nullptr ? desktop->current_h : 0;
}

bool setWindowMode(int width, int height, WindowMode mode) {
    const Uint32 flags = mode == WindowMode::Opening   ? openingFlags
                         : mode == WindowMode::Resized ? resizedFlags
                                                       : fullScreenFlags;
    return SDL_SetVideoMode(width, height, colourDepth, flags) != nullptr;
}

std::string windowError() { return SDL_GetError(); }

void setWindowCaption(const char* caption) { SDL_WM_SetCaption(caption, nullptr); }

void setUpKeyboard() {
    SDL_EnableKeyRepeat(keyRepeatDelayMs, keyRepeatIntervalMs);
    // The character each key types in the keyboard's own layout, for "?";
    // every other key is still translated from its symbol.
    SDL_EnableUNICODE(1);
}

bool swapWaitsForDisplay() {
    int swapControl = 0;
    return SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapControl) == 0 && swapControl == 1;
}

void swapBuffers() { SDL_GL_SwapBuffers(); }

void stopVideo() { SDL_Quit(); }

bool nextEvent(InputEvent& out) {
    SDL_Event event;
    if (!SDL_PollEvent(&event))
        return false;
    out = InputEvent();
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = event.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        out.key = event.key.keysym.sym;   // SDL's numbers are the program's
        // The modifiers come from the key's own event: SDL drains every
        // waiting X event at once and its global state has then moved on to
        // the last of them, so a quick Control+Q would otherwise read as "q".
        out.modifiers = modifierBits(event.key.keysym.mod);
        out.typed = event.key.keysym.unicode;
        break;
    case SDL_MOUSEMOTION:
        out.kind = InputEvent::Kind::PointerMoved;
        out.x = event.motion.x;
        out.y = event.motion.y;
        out.buttonsHeld = event.motion.state != 0;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = event.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp;
        out.x = event.button.x;
        out.y = event.button.y;
        out.button = event.button.button;
        break;
    case SDL_QUIT:
        out.kind = InputEvent::Kind::Quit;
        break;
    case SDL_VIDEORESIZE:
        out.kind = InputEvent::Kind::Resized;
        out.width = event.resize.w;
        out.height = event.resize.h;
        break;
    default:
        break;
    }
    return true;
}

int32_t modifiersNow() { return modifierBits(SDL_GetModState()); }

double now() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(since).count()) * 1e-6;
}

void runFrames(void (*frame)(void*), void* context) {
    for (;;)
        frame(context);
}

double displayFrameStep() { return -1.0; }

// The desktop has no controls around the window.
void showProgramState(const ProgramState&) {}

bool programCanQuit() { return true; }

SavedFile handOverSavedFile(const std::string&) { return SavedFile::KeptThere; }

void offerControls(const PlatformControls&) {}

void discountNextStep(double) {}   // the program times its own frames here
