// The application shell: start-up, the frame loop, events and shutdown.
#pragma once

#include <cstdint>

class VelmContext;

// Size of the drawing area in pixels.
extern int32_t windowWidth;
extern int32_t windowHeight;
// Time of the previous timer pass, in seconds of now().
extern double lastTime;
// The widget library's one context.
extern VelmContext* guiContext;

// Seconds on a monotonic clock, microsecond resolution.
double now();

// Opens the window and creates every long-lived object; exits with status 1
// when the video system or the window cannot be had.
void startUp();
// One pass of the frame loop: events, drawing, time step, animation, timers.
void runFrame();
// Handles every waiting event.
void pumpEvents();
// A new drawing-area size from the window system.
void resizeWindow(int w, int h);
// Frees every long-lived object and the media library; the exit handler.
void cleanUp();

// When each stage of startUp ended, in seconds of now(), for the start-up
// benchmark; begin is when startUp was entered.
struct StartupMarks {
    double begin = 0, video = 0, textures = 0, widgets = 0, firstFrame = 0, scene = 0;
};
extern StartupMarks startupMarks;
// The animation step of the last pass of the frame loop, in seconds.
extern float lastFrameStep;

// The window's caption.
constexpr const char* windowCaption = "Corvane Zone";
