// Input translation: SDL key and mouse events into widget-library events.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "render/design_view.h"

class VelmContext;

// The last pointer position in widget coordinates (origin lower left); keys
// are reported there too.
struct Pointer {
    int32_t mouseX = 0;
    int32_t mouseY = 0;
};

// The widget library's key code for an SDL key event.
int32_t translateKey(const SDL_KeyboardEvent& event);
// A translated key pressed with the modifier bits its own event carried:
// case and shift mapping, Control+Q, then keyDown of guiContext.
void handleKeyDown(VelmContext* guiContext, const Pointer& pointer, int32_t key, int32_t modifiers);
// The character a translated key gives with the modifier bits: capitals
// with shift or caps lock, the US shift table with shift.
int32_t mapKey(int32_t key, int32_t modifiers);
// A translated key released: keyUp, without any mapping.
void handleKeyUp(VelmContext* guiContext, const Pointer& pointer, int32_t key);
// Pointer position of an SDL event (origin top left) in a drawing area
// windowHeight pixels high, in the design that view shows; false when it
// lies on a bar beside the design.
bool setMousePosition(Pointer& pointer, int x, int y, int32_t windowHeight, const DesignView& view = {});
// An SDL mouse button (1 left, 2 middle, 3 right, 4/5 wheel) pressed
// (state 1) or released, at the pointer.
void handleMouseButton(VelmContext* guiContext, const Pointer& pointer, int button, int state);
// Pointer motion to SDL (x, y) with the held buttons.
void handleMouseMotion(VelmContext* guiContext, Pointer& pointer, int x, int y, uint8_t buttons,
                       int32_t windowHeight, const DesignView& view = {});
// The library's modifier bits for SDL's modifier state: shift 1, control 2,
// alt 4, meta 8, caps lock 16. Num lock and the mode key are not reported.
int32_t modifierBits(SDLMod mod);
// The modifier bits now (the widget library's query).
int32_t getModifiers();
// True for keys that never reach the widget library (lock and modifier keys).
bool isIgnoredKey(int32_t key);
