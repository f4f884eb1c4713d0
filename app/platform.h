// Platform layer: keeps the window's place on screen when its video mode changes.
#pragma once

// The window's outer rectangle on screen, as the window system has it.
struct WindowPlacement {
    bool known = false;
    int left = 0, top = 0, width = 0, height = 0;
};

// Reads the outer rectangle of the program's window (X11); unknown elsewhere.
WindowPlacement readWindowPlacement();
// Puts the window back at that rectangle; does nothing when it is unknown.
void restoreWindowPlacement(const WindowPlacement& placement);
