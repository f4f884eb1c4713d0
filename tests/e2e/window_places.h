// Where things stand in the 640 by 480 window, in window pixels (origin top
// left), for the end-to-end tests.
#pragma once

#include "e2e/shot_analysis.h"

// Pointer positions.
constexpr int checkBoxX = 18, checkBoxY = 56;
constexpr int logoX = 515, logoY = 435;
constexpr int awayX = 320, awayY = 120;   // over the sky, on nothing

// Regions of screenshots.
constexpr Region wholeWindow{0, 0, 640, 480};
constexpr Region titleRegion{8, 8, 185, 32};
constexpr Region checkBoxRegion{10, 48, 18, 18};
constexpr Region checkLabelRegion{34, 50, 150, 16};
constexpr Region logoRegion{490, 410, 50, 50};
constexpr Region makerRegion{540, 422, 85, 26};     // "uorlin"
constexpr Region addressRegion{528, 458, 106, 14};
constexpr Region creditsRegion{200, 190, 240, 100};
constexpr Region arcLabelRegion{230, 146, 100, 16}; // "Volcanic arc"
constexpr Region trenchLabelRegion{170, 264, 50, 16};
constexpr Region plainSkyRegion{300, 8, 100, 30};
constexpr Region unreadNoticeRegion{20, 92, 300, 16};   // a notice's first line, under the panel

// Brightness deviation of a region with text on it; plain sky stays far below.
constexpr double textDeviation = 25;
