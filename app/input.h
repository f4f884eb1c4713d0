// Input translation: SDL key and mouse events into widget-library events.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

// Last pointer position in widget coordinates (origin lower left).
extern int32_t mouseX;
extern int32_t mouseY;

// The widget library's key code for an SDL key event.
int32_t translateKey(const SDL_KeyboardEvent& event);
// A translated key pressed with the modifier bits its own event carried:
// case and shift mapping, Control+Q, then keyDown.
void handleKeyDown(int32_t key, int32_t modifiers);
// A translated key released: keyUp, without any mapping.
void handleKeyUp(int32_t key);
// An SDL mouse button (1 left, 2 middle, 3 right, 4/5 wheel) pressed (state 1)
// or released, at mouseX, mouseY.
void handleMouseButton(int button, int state);
// Pointer motion in SDL coordinates (origin top left) with the held buttons.
void handleMouseMotion(int x, int y, uint8_t buttons);
// Pointer position of a button event, in SDL coordinates.
void setMousePosition(int x, int y);
// The library's modifier bits for SDL's modifier state: shift 1, control 2,
// alt 4, meta 8, caps lock 16. Num lock and the mode key are not reported.
int32_t modifierBits(SDLMod mod);
// The modifier bits now (the widget library's query).
int32_t getModifiers();
// True for keys that never reach the widget library (lock and modifier keys).
bool isIgnoredKey(int32_t key);
