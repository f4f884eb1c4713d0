// The application shell: start-up, the frame loop, events and shutdown.
#pragma once

struct Program;

// Opens the window and makes the program's state in its fixed order, and
// registers cleanUp; exits with status 1 when the video system or the
// window cannot be had.
Program& startUp();
// One pass of the frame loop: events, drawing, time step, animation, timers.
// Answers the animation step it took, in seconds.
float runFrame(Program& program);
// Handles every waiting event.
void pumpEvents(Program& program);
// A new drawing-area size from the window system.
void resizeWindow(Program& program, int w, int h);
// The exit handler: frees the program's state and the media library.
void cleanUp();

// The window's caption.
constexpr const char* windowCaption = "Corvane Zone";
