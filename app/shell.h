// The application shell: start-up, the frame loop, events and shutdown. It
// calls outwards only: the classroom keys, the window, the input
// translation, the program's state and the platform.
#pragma once

#include <string>

struct Program;
struct ProgramState;

// Opens the window and makes the program's state in its fixed order, and
// registers cleanUp; exits with status 1 when the video system or the
// window cannot be had. translatedLabels: the labels are in a language
// other than English, painted at every size.
Program& startUp(bool translatedLabels = false);
// One pass of the frame loop: events, drawing, time step, animation, timers.
// Answers the animation step it took, in seconds.
float runFrame(Program& program);
// What the program shows now, for the platform's controls.
ProgramState programState(Program& program);
// Handles every waiting event.
void pumpEvents(Program& program);
// The exit handler: frees the program's state and the media library.
void cleanUp();
