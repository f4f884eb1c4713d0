// velmkit basics: the host callbacks, shared colours, key and modifier codes,
// and the small text and geometry helpers.
#pragma once

#include <cstdint>

// Host callbacks handed to velmInit.
//  add-timer: call func(value) once, ms milliseconds from now.
//  hook:      a notification from the library (the code says what happened,
//             see velmHook*); the host may ignore it.
//  modifiers: the modifier keys held now, as velmMod* bits or-ed together.
using VelmTimerFunc = void (*)(int32_t value);
using VelmAddTimer = void (*)(uint32_t ms, VelmTimerFunc func, int32_t value);
using VelmHook = void (*)(int32_t code);
using VelmModifierQuery = int32_t (*)();

void velmInit(VelmAddTimer addTimer, VelmHook hook, VelmModifierQuery modifiers);

// Calls the host's add-timer; without one the request is dropped.
void velmRequestTimer(uint32_t ms, VelmTimerFunc func, int32_t value);
// Tells the host something happened (velmHook* codes); ignored without a hook.
void velmSendHook(int32_t code);
// The modifier bits now, 0 without a host query.
int32_t velmModifiers();

// Screen pixels per unit of the 2D view, 1 unless the host shows its window
// scaled (a design drawn larger on a bigger screen). Texts are rasterised and
// lines drawn at the screen's resolution, not stretched from the unit grid.
void velmSetPixelScale(float scale);
float velmPixelScale();

// Hook codes sent through the second callback.
constexpr int32_t velmHookRedraw = 1;   // a drawable asked to be drawn again

// Modifier bits.
constexpr int32_t velmModShift = 1;
constexpr int32_t velmModControl = 2;
constexpr int32_t velmModAlt = 4;
constexpr int32_t velmModMeta = 8;
constexpr int32_t velmModCapsLock = 16;

// Key codes: printable keys are their character codes; Return is a line feed.
constexpr int32_t velmKeyReturn = 10;
constexpr int32_t velmKeyTab = 9;
constexpr int32_t velmKeySpace = 32;
constexpr int32_t velmKeyF1 = 256;   // F1..F12 are 256..267
constexpr int32_t velmKeyLeft = 268;
constexpr int32_t velmKeyRight = 269;
constexpr int32_t velmKeyUp = 270;
constexpr int32_t velmKeyDown = 271;
constexpr int32_t velmKeyPageUp = 272;
constexpr int32_t velmKeyPageDown = 273;
constexpr int32_t velmKeyHome = 274;
constexpr int32_t velmKeyEnd = 275;
constexpr int32_t velmKeyInsert = 276;

// Mouse buttons and wheel directions.
constexpr int32_t velmButtonLeft = 0;
constexpr int32_t velmButtonRight = 1;
constexpr int32_t velmButtonMiddle = 2;
constexpr int32_t velmWheelUp = 0;
constexpr int32_t velmWheelDown = 1;

// Opaque white and black, RGBA.
extern const float velmWhite[4];
extern const float velmBlack[4];

// True when (x, y) lies in the rectangle. The left and bottom edges count as
// inside, the right and top edges (left + width, bottom + height) do not, so
// rectangles that share an edge never both claim a point.
bool velmInBounds(int32_t x, int32_t y, float left, float bottom, float width, float height);

// Cuts text in place into zero-terminated segments: each line feed and each
// tab becomes a zero byte. The indices of the replaced line feeds go to
// lineBreaks and of the replaced tabs to tabBreaks, both rising; the counts to
// lineCount and tabCount. The break arrays are (re)allocated with new[] and
// belong to the caller (delete[]); a kind with no breaks gets null. A null
// text gives no breaks.
void velmFormatText(char* text, int& lineCount, unsigned*& lineBreaks, int& tabCount,
                    unsigned*& tabBreaks);
