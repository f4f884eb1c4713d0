// The classroom keys' own state (pause, full screen, F12's picture, the key
// help), a record apart from the animation's own state; the program holds
// it, so that it is made and freed with the rest.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/image.h"

class ClassroomPanel;

struct ClassroomState {
    bool paused = false;                          // P: no time passes for the animation
    bool fullScreen = false;
    int32_t windowedWidth = 0, windowedHeight = 0;   // the window's size before full screen
    int32_t desktopWidth = 0, desktopHeight = 0;     // the screen's size, for full screen (0: unknown)
    bool pictureRequested = false;                   // F12: keep the next frame drawn
    Image picture;                                   // that frame, saved after the frame's timing
    ClassroomPanel* panel = nullptr;                 // badge, notice and help, made when first shown
    std::vector<int32_t> commandKeys;                // keys held whose press was a command
    int tourStep = -1;                               // the feature the tour shows; -1 outside the tour
    bool labelsBeforeTour = false;                   // "Highlighted Features" as it was when the tour began
};

