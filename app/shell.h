// The application shell: start-up, the frame loop, events and shutdown.
#pragma once

#include <string>

struct Program;

// Opens the window and makes the program's state in its fixed order, and
// registers cleanUp; exits with status 1 when the video system or the
// window cannot be had. featuresPicture, when not empty, is read in place of
// the features picture.
Program& startUp(const std::string& featuresPicture = "");
// One pass of the frame loop: events, drawing, time step, animation, timers.
// Answers the animation step it took, in seconds.
float runFrame(Program& program);
// Handles every waiting event.
void pumpEvents(Program& program);
// A new drawing-area size from the window system.
void resizeWindow(Program& program, int w, int h);
// The GL state, view, widgets and layout for a drawing area of w by h, and
// one frame drawn: what follows every change of the window's size.
void applyWindowSize(Program& program, int w, int h);
// Switches between the window and full screen (the screen's size).
void setFullScreen(Program& program, bool on);
// The exit handler: frees the program's state and the media library.
void cleanUp();

// The window's caption.
constexpr const char* windowCaption = "Corvane Zone";
