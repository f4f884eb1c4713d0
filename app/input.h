// Input translation: the platform's key and pointer events (key symbols
// numbered as in app/keys.h, pointer positions from the top left) into the
// widget library's events.
#pragma once

#include <cstdint>

#include "render/design_view.h"

class VelmContext;

// The last pointer position in widget coordinates (origin lower left); keys
// are reported there too.
struct Pointer {
    int32_t mouseX = 0;
    int32_t mouseY = 0;
};

// The widget library's key code for a key symbol.
int32_t translateKey(int32_t symbol);
// A translated key pressed with the modifier bits its own event carried:
// case and shift mapping, Control+Q, then keyDown of guiContext.
void handleKeyDown(VelmContext* guiContext, const Pointer& pointer, int32_t key, int32_t modifiers);
// The character a translated key gives with the modifier bits: capitals
// with shift or caps lock, the US shift table with shift.
int32_t mapKey(int32_t key, int32_t modifiers);
// A translated key released: keyUp, without any mapping.
void handleKeyUp(VelmContext* guiContext, const Pointer& pointer, int32_t key);
// Pointer position of an event (origin top left) in a drawing area
// windowHeight pixels high, in the design that view shows; false when it
// lies on a bar beside the design.
bool setMousePosition(Pointer& pointer, int x, int y, int32_t windowHeight, const DesignView& view = {});
// A mouse button (1 left, 2 middle, 3 right, 4/5 wheel) pressed (state 1)
// or released, at the pointer.
void handleMouseButton(VelmContext* guiContext, const Pointer& pointer, int button, int state);
// Pointer motion to (x, y), a drag while a button is held.
void handleMouseMotion(VelmContext* guiContext, Pointer& pointer, int x, int y, bool buttonsHeld,
                       int32_t windowHeight, const DesignView& view = {});
// The modifier bits now (the widget library's query): shift 1, control 2,
// alt 4, meta 8, caps lock 16.
int32_t getModifiers();
// True for keys that never reach the widget library (lock and modifier keys).
bool isIgnoredKey(int32_t key);
