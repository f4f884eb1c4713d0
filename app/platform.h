// Platform layer: the window's place across mode changes, the heap's set-up,
// and the GL driver in leak-checking builds.
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

// Sets up the C library's heap for the frame loop: blocks of 64 KiB and
// more are mapped and unmapped on their own instead of being carved from the
// heap. The GL driver allocates and frees such blocks every frame, between
// small allocations that live on; from the heap they leave it fragmented and
// growing for minutes.
void configureHeap();

// In a leak-checking build, marks the loaded OpenGL driver modules as never
// to be unloaded: the GL library unloads its driver at exit, and the leak
// checker could then not name the driver's own allocations. Elsewhere it
// does nothing.
void keepGlDriverLoaded();
