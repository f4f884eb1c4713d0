// Input translation: key codes, the US shift table, mouse buttons and the wheel.
#include "app/input.h"

#include <cstdlib>

#include "app/keys.h"
#include "app/platform.h"
#include "velmkit/velm.h"

namespace {
constexpr int32_t keyQ = 'q';
constexpr int32_t capitalOffset = 'a' - 'A';

// Keypad and special keys whose codes differ between the media library and
// the widget library.
int32_t specialKey(int32_t sym) {
    switch (sym) {
    case keys::returnKey:
    case keys::keypadEnter: return velmKeyReturn;
    case keys::keypadPeriod: return '.';
    case keys::keypadDivide: return '/';
    case keys::keypadMultiply: return '*';
    case keys::keypadMinus: return '-';
    case keys::keypadPlus: return '+';
    case keys::keypadEquals: return '=';
    case keys::up: return velmKeyUp;
    case keys::down: return velmKeyDown;
    case keys::right: return velmKeyRight;
    case keys::left: return velmKeyLeft;
    case keys::insert: return velmKeyInsert;
    case keys::home: return velmKeyHome;
    case keys::end: return velmKeyEnd;
    case keys::pageUp: return velmKeyPageUp;
    case keys::pageDown: return velmKeyPageDown;
    default: break;
    }
    if (sym >= keys::keypad0 && sym <= keys::keypad9)
        return '0' + (sym - keys::keypad0);
    if (sym >= keys::f1 && sym <= keys::f12)
        return velmKeyF1 + (sym - keys::f1);
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

int32_t translateKey(int32_t symbol) { return specialKey(symbol); }

bool isIgnoredKey(int32_t key) {
    return key == keys::numLock || key == keys::capsLock || (key >= keys::rightShift && key <= keys::rightSuper);
}

int32_t getModifiers() { return modifiersNow(); }

// The modifiers come from the key's own event (see the platform's events).
void handleKeyDown(VelmContext* guiContext, const Pointer& pointer, int32_t key, int32_t mods) {
    if (isIgnoredKey(key))
        return;
    key = mapKey(key, mods);
    if (key == keyQ && mods == velmModControl) {
        if (programCanQuit())
            std::exit(0);
        return;   // a web page cannot close itself
    }
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
    case keys::wheelUp:
        guiContext->scrollWheel(velmWheelUp, mouseX, mouseY);
        return;
    case keys::wheelDown:
        guiContext->scrollWheel(velmWheelDown, mouseX, mouseY);
        return;
    case keys::buttonLeft: button = velmButtonLeft; break;
    case keys::buttonMiddle: button = velmButtonMiddle; break;
    case keys::buttonRight: button = velmButtonRight; break;
    default: break;
    }
    if (state == 1)
        guiContext->mouseDown(button, mouseX, mouseY);
    else
        guiContext->mouseUp(button, mouseX, mouseY);
}

void handleMouseMotion(VelmContext* guiContext, Pointer& pointer, int x, int y, bool buttonsHeld,
                       int32_t windowHeight, const DesignView& view) {
    setMousePosition(pointer, x, y, windowHeight, view);
    if (guiContext == nullptr)
        return;
    if (buttonsHeld)
        guiContext->mouseDrag(pointer.mouseX, pointer.mouseY);
    else
        guiContext->mouseMove(pointer.mouseX, pointer.mouseY);
}
