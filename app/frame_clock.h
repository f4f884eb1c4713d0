// The frame-rate estimate behind the animation's time step, and frame pacing.
#pragma once

// Frames per second estimated from the last block of ten frames; infinite
// until the first block is complete (the time step is then 0).
extern double framesPerSecond;

// Frames in an estimate.
constexpr int framesPerEstimate = 10;

// Adds one frame's drawing time; every tenth frame renews framesPerSecond.
void recordFrameTime(double seconds);
// The animation step for the current estimate: 1 / framesPerSecond.
float animationStep();
// Resets the block counters (start of the frame loop).
void resetFrameClock();

// Whether frames are paced by waiting; set when the buffer swap is not tied
// to the display's refresh, or turns out not to be.
bool framesArePaced();
void setFramePacing(bool paced);
// The frame period kept when pacing.
constexpr double pacedFramePeriod = 1.0 / 60.0;
// Below this mean drawing time a swap cannot be waiting for the display.
constexpr double unsyncedFrameTime = 1.0 / 300.0;
// Waits until pacedFramePeriod has passed since frameStart (seconds of clock).
void paceFrame(double frameStart, double (*clock)());
