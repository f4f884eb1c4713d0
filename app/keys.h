// Keys by the numbers the media library gives them (SDL 1.2's), which the
// input translation's tables are written in. A platform whose system numbers
// keys otherwise hands them over in these numbers.
#pragma once

#include <cstdint>

namespace keys {
constexpr int32_t returnKey = 13;
constexpr int32_t escape = 27;
constexpr int32_t slash = 47;
constexpr int32_t keypad0 = 256;   // keypad 0..9: 256..265
constexpr int32_t keypad9 = 265;
constexpr int32_t keypadPeriod = 266;
constexpr int32_t keypadDivide = 267;
constexpr int32_t keypadMultiply = 268;
constexpr int32_t keypadMinus = 269;
constexpr int32_t keypadPlus = 270;
constexpr int32_t keypadEnter = 271;
constexpr int32_t keypadEquals = 272;
constexpr int32_t up = 273;
constexpr int32_t down = 274;
constexpr int32_t right = 275;
constexpr int32_t left = 276;
constexpr int32_t insert = 277;
constexpr int32_t home = 278;
constexpr int32_t end = 279;
constexpr int32_t pageUp = 280;
constexpr int32_t pageDown = 281;
constexpr int32_t f1 = 282;   // F1..F12: 282..293
constexpr int32_t f12 = 293;
constexpr int32_t numLock = 300;
constexpr int32_t capsLock = 301;
constexpr int32_t scrollLock = 302;
constexpr int32_t rightShift = 303;   // the modifier keys: 303..312
constexpr int32_t rightSuper = 312;

// Mouse buttons as the media library numbers them.
constexpr int buttonLeft = 1;
constexpr int buttonMiddle = 2;
constexpr int buttonRight = 3;
constexpr int wheelUp = 4;
constexpr int wheelDown = 5;
}  // namespace keys
