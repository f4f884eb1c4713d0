// The frame-rate estimate behind the animation's time step, and frame pacing.
#pragma once

#include <cmath>

// Frames in an estimate.
constexpr int framesPerEstimate = 10;
// The frame period kept when pacing.
constexpr double pacedFramePeriod = 1.0 / 60.0;
// Below this mean drawing time a swap cannot be waiting for the display.
constexpr double unsyncedFrameTime = 1.0 / 300.0;

class FrameClock {
public:
    // Adds one frame's drawing time; every tenth frame renews framesPerSecond.
    void recordFrameTime(double seconds);
    // The animation step for the current estimate: 1 / framesPerSecond.
    float animationStep() const { return static_cast<float>(1.0 / framesPerSecond); }
    // Starts a new block of frames (the start of the frame loop).
    void reset();

    // Whether frames are paced by waiting; set when the buffer swap is not
    // tied to the display's refresh, or turns out not to be.
    bool framesArePaced() const { return paced; }
    void setFramePacing(bool value) { paced = value; }
    // When pacing, waits until pacedFramePeriod has passed since frameStart
    // (seconds of clock).
    void paceFrame(double frameStart, double (*clock)()) const;

    // Frames per second estimated from the last block of ten frames;
    // infinite until the first block is complete (the step is then 0).
    double framesPerSecond = HUGE_VAL;

private:
    double renderTime = 0.0;   // summed drawing time of the block so far
    int frameCount = 0;        // frames in the block so far
    bool paced = false;
};
