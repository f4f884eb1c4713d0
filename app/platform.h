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

// In a leak-checking build, marks the loaded OpenGL driver modules as never
// to be unloaded: the GL library unloads its driver at exit, and the leak
// checker could then not name the driver's own allocations. Elsewhere it
// does nothing.
void keepGlDriverLoaded();
