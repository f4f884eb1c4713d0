// Platform layer: showing a drawn frame, the window's place across mode
// changes, the heap's set-up, the GL driver in leak-checking builds, and
// what the system says of folders, fonts and language. One file pair per
// platform: platform_linux.cpp (X11) and platform_windows.cpp.
#pragma once

#include <string>
#include <vector>

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

// The folder the program file is in.
std::string programFolder();
// Makes the working directory the one the pictures are in, where the
// platform has no launcher to do so (Windows: the program's folder).
void findPicturesBesideProgram();
// The user's pictures folder: what `xdg-user-dir PICTURES` names (when it
// names a folder other than home), else ~/Pictures when it exists, else the
// home folder, else the working directory; on Windows the known Pictures
// folder, else the profile, else the working directory. Empty when there
// is none.
std::string picturesFolder();
// The language the system's settings name ("es_ES"), for a platform whose
// programs are not told it by the environment; empty elsewhere.
std::string systemLanguage();
// Folders to look for fonts in where fontconfig does not (Windows).
std::vector<std::string> fontFolders();
// Shows why the program cannot start where its messages on the standard
// streams may go unseen: a message box on Windows (a program started by a
// double click has no console); nothing elsewhere.
void alertUser(const std::string& message);
