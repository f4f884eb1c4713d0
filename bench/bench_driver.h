// The measuring loop shared by the program's benchmark and the floor
// program, so that both are measured the same way.
#pragma once

#include <functional>

struct BenchSubject {
    // Opens the window and makes everything; true on success.
    std::function<bool()> start;
    // The stages of start() and how long each took (name, seconds), for the
    // start-up report; "first_frame_at" is how long after start() was
    // entered the first frame was swapped.
    std::function<void(void (*report)(const char*, double))> startupStages;
    // Draws and swaps one frame, nothing else.
    std::function<void()> draw;
    // Everything of one frame that is not drawing (events, animation).
    std::function<void()> between;
    // One whole pass of the frame loop, paced as the program paces it.
    std::function<void()> loopPass;
    // The animation time of the last loopPass, 0 for none.
    std::function<double()> lastStep;
};

// Modes (argv[1]):
//   startup            stages of start-up and the first loop pass, from exec
//                      (BENCH_EXEC_NS: the realtime clock before exec, in ns)
//   frames N           N frames: drawing step with glFinish (median, 99th
//                      percentile) and heap allocations per frame
//   run SECONDS        the paced loop: CPU share, frames per second, peak memory
//   clock SECONDS      the paced loop: animation time against the wall clock
// Prints "name value" lines.
int runBench(int argc, char** argv, const BenchSubject& subject);

// The drawing area to measure at: BENCH_SIZE ("1920x1080"), else 640 by 480.
void benchDrawingSize(int& width, int& height);
