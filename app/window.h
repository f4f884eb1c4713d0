// The window: its size and full screen, and what follows each change of
// size (the GL state, the design's view, the widgets' layout, one frame).
// Called by the shell for the window system's reports and by the classroom
// keys; it calls down only (the platform, the program's state, the drawing).
#pragma once

struct Program;

// A new drawing-area size reported by the window system. In full screen it
// stays full screen: only F11, Alt+Enter and Escape leave it.
void resizeWindow(Program& program, int w, int h);
// The GL state, view, widgets and layout for a drawing area of w by h, and
// one frame drawn: what follows every change of the window's size.
void applyWindowSize(Program& program, int w, int h);
// A GL context given back after it was lost (a browser's WebGL): the
// textures, glyphs and lists made again, the features picture painted
// again, and a frame drawn as before at the same moment of the animation.
void restoreGraphics(Program& program);
// Switches between the window and full screen (the screen's size); nothing
// where the screen's size is unknown.
void setFullScreen(Program& program, bool on);
// A window that could not be opened: says why (on standard error, and in a
// message box where the platform has one) and exits with status 1; at start
// the video system is shut down first (the exit handler does it later).
[[noreturn]] void windowFailed(Program* program, bool atStart);

// The window's caption.
constexpr const char* windowCaption = "Corvane Zone";
