// Frame clock: the ten-frame rate estimate and the optional pacing.
#include "app/frame_clock.h"

#include <ctime>

void FrameClock::reset() {
    renderTime = 0.0;
    frameCount = 0;
}

void FrameClock::recordFrameTime(double seconds) {
    renderTime += seconds;
    frameCount += 1;
    if (frameCount == framesPerEstimate) {
        framesPerSecond = framesPerEstimate / renderTime;   // 0.0 gives infinity: a step of 0
        if (renderTime / framesPerEstimate < unsyncedFrameTime)
            paced = true;
        frameCount = 0;
        renderTime = 0.0;
    }
}

void FrameClock::paceFrame(double frameStart, double (*clock)()) const {
    if (!paced)
        return;
    for (;;) {
        const double left = frameStart + pacedFramePeriod - clock();
        if (left <= 0)
            return;
        timespec pause;
        pause.tv_sec = static_cast<time_t>(left);
        pause.tv_nsec = static_cast<long>((left - static_cast<double>(pause.tv_sec)) * 1e9);
        nanosleep(&pause, nullptr);
    }
}
