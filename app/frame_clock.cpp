// Frame clock: the ten-frame rate estimate and the optional pacing.
#include "app/frame_clock.h"

#include <cmath>
#include <ctime>

double framesPerSecond = HUGE_VAL;

namespace {
double renderTime = 0.0;
int frameCount = 0;
bool paced = false;
}  // namespace

void resetFrameClock() {
    renderTime = 0.0;
    frameCount = 0;
}

void recordFrameTime(double seconds) {
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

float animationStep() { return static_cast<float>(1.0 / framesPerSecond); }

bool framesArePaced() { return paced; }
void setFramePacing(bool value) { paced = value; }

void paceFrame(double frameStart, double (*clock)()) {
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
