// Platform layer: showing a drawn frame, the window's place across mode
// changes, the heap's set-up, and the GL driver in leak-checking builds.
#pragma once

// Shows the frame drawn into the back buffer (swaps the buffers).
void swapBuffers();

// Where the window stands on screen and the size of its drawing area: left
// and top are the outer corner of the window manager's frame (of the window
// itself without one), on the root window.
struct WindowPlacement {
    bool known = false;
    int left = 0, top = 0, width = 0, height = 0;
};

// Reads the program's window's placement (X11); unknown elsewhere.
WindowPlacement readWindowPlacement();
// Puts the window back where it stood, with that drawing area, so that it
// does not wander under a reparenting window manager; does nothing when the
// placement is unknown.
void restoreWindowPlacement(const WindowPlacement& placement);

// Sets up the C library's heap for the frame loop: a block of 64 KiB or more
// never makes the heap grow. It is served from memory the heap already has
// free (a gap, or its top) when that holds it, and otherwise mapped on its
// own and unmapped when freed. The GL driver allocates and frees such blocks
// every frame, between small allocations that live on; carved from newly
// grown heap they leave it fragmented and growing for minutes.
void configureHeap();

// In a leak-checking build, marks the loaded OpenGL driver modules as never
// to be unloaded: the GL library unloads its driver at exit, and the leak
// checker could then not name the driver's own allocations. Elsewhere it
// does nothing.
void keepGlDriverLoaded();
