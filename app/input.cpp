// Input translation: key codes, the US shift table, mouse buttons and the wheel.
#include "app/input.h"

#include <cstdlib>

#include "velmkit/velm.h"

namespace {
constexpr int32_t keyQ = 'q';
constexpr int32_t capitalOffset = 'a' - 'A';

// Keypad and special keys whose codes differ between SDL and the library.
int32_t specialKey(int32_t sym) {
    switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return velmKeyReturn;
    case SDLK_KP_PERIOD: return '.';
    case SDLK_KP_DIVIDE: return '/';
    case SDLK_KP_MULTIPLY: return '*';
    case SDLK_KP_MINUS: return '-';
    case SDLK_KP_PLUS: return '+';
    case SDLK_KP_EQUALS: return '=';
    case SDLK_UP: return velmKeyUp;
    case SDLK_DOWN: return velmKeyDown;
    case SDLK_RIGHT: return velmKeyRight;
    case SDLK_LEFT: return velmKeyLeft;
    case SDLK_INSERT: return velmKeyInsert;
    case SDLK_HOME: return velmKeyHome;
    case SDLK_END: return velmKeyEnd;
    case SDLK_PAGEUP: return velmKeyPageUp;
    case SDLK_PAGEDOWN: return velmKeyPageDown;
    default: break;
    }
    if (sym >= SDLK_KP0 && sym <= SDLK_KP9)
        return '0' + (sym - SDLK_KP0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12)
        return velmKeyF1 + (sym - SDLK_F1);
    return sym;
}

// The character a shifted key gives on a US keyboard, or 0.
int32_t shifted(int32_t key) {
    switch (key) {
    case '\'': return '"';
    case ',': return '<';
    case '-': return '_';
    case '.': return '>';
    case '/': return '?';
    case '0': return ')';
    case '1': return '!';
    case '2': return '@';
    case '3': return '#';
    case '4': return '$';
    case '5': return '%';
    case '6': return '^';
    case '7': return '&';
    case '8': return '*';
    case '9': return '(';
    case ';': return ':';
    case '=': return '+';
    case '[': return '{';
    case '\\': return '|';
    case ']': return '}';
    case '`': return '~';
    default: return 0;
    }
}
}  // namespace

int32_t translateKey(const SDL_KeyboardEvent& event) { return specialKey(event.keysym.sym); }

bool isIgnoredKey(int32_t key) {
    return key == SDLK_NUMLOCK || key == SDLK_CAPSLOCK || (key >= SDLK_RSHIFT && key <= SDLK_RSUPER);
}

int32_t modifierBits(SDLMod mod) {
    int32_t bits = 0;
    if (mod & KMOD_SHIFT) bits |= velmModShift;
    if (mod & KMOD_CTRL) bits |= velmModControl;
    if (mod & KMOD_META) bits |= velmModMeta;
    if (mod & KMOD_ALT) bits |= velmModAlt;
    if (mod & KMOD_CAPS) bits |= velmModCapsLock;
    return bits;
}

int32_t getModifiers() { return modifierBits(SDL_GetModState()); }

// The modifiers come from the key's own event: SDL drains every waiting X
// event at once and its global state has then moved on to the last of them,
// so a quick Control+Q would otherwise read as a plain "q".
void handleKeyDown(VelmContext* guiContext, const Pointer& pointer, int32_t key, int32_t mods) {
    if (isIgnoredKey(key))
        return;
    key = mapKey(key, mods);
    if (key == keyQ && mods == velmModControl)
        std::exit(0);
    if (guiContext != nullptr)
        guiContext->keyDown(key, pointer.mouseX, pointer.mouseY);
}

int32_t mapKey(int32_t key, int32_t mods) {
    if ((mods & (velmModShift | velmModCapsLock)) && key >= 'a' && key <= 'z')
        key -= capitalOffset;
    if ((mods & velmModShift) && shifted(key) != 0)
        key = shifted(key);
    return key;
}

void handleKeyUp(VelmContext* guiContext, const Pointer& pointer, int32_t key) {
    if (isIgnoredKey(key) || guiContext == nullptr)
        return;
    guiContext->keyUp(key, pointer.mouseX, pointer.mouseY);
}

bool setMousePosition(Pointer& pointer, int x, int y, int32_t windowHeight, const DesignView& view) {
    return toDesign(view, x, windowHeight - y, pointer.mouseX, pointer.mouseY);
}

void handleMouseButton(VelmContext* guiContext, const Pointer& pointer, int button, int state) {
    const int32_t mouseX = pointer.mouseX, mouseY = pointer.mouseY;
    if (guiContext == nullptr)
        return;
    switch (button) {
    case SDL_BUTTON_WHEELUP:
        guiContext->scrollWheel(velmWheelUp, mouseX, mouseY);
        return;
    case SDL_BUTTON_WHEELDOWN:
        guiContext->scrollWheel(velmWheelDown, mouseX, mouseY);
        return;
    case SDL_BUTTON_LEFT: button = velmButtonLeft; break;
    case SDL_BUTTON_MIDDLE: button = velmButtonMiddle; break;
    case SDL_BUTTON_RIGHT: button = velmButtonRight; break;
    default: break;
    }
    if (state == SDL_PRESSED)
        guiContext->mouseDown(button, mouseX, mouseY);
    else
        guiContext->mouseUp(button, mouseX, mouseY);
}

void handleMouseMotion(VelmContext* guiContext, Pointer& pointer, int x, int y, uint8_t buttons,
                       int32_t windowHeight, const DesignView& view) {
    setMousePosition(pointer, x, y, windowHeight, view);
    if (guiContext == nullptr)
        return;
    if (buttons != 0)
        guiContext->mouseDrag(pointer.mouseX, pointer.mouseY);
    else
        guiContext->mouseMove(pointer.mouseX, pointer.mouseY);
}
