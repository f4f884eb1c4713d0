// The program itself under the shared measuring loop: its real start-up,
// frame drawing and frame loop. Runs in the pictures' folder.
#include <unistd.h>

#include <cstdio>

#include "animation/animation.h"
#include "app/shell.h"
#include "app/timers.h"
#include "assets/image.h"
#include "assets/textures.h"
#include "bench/bench_driver.h"
#include "render/frame.h"

namespace {
constexpr float settledStep = 1.0f / 60;

// Decoding alone, the part of loading the pictures that is not the GL's.
double decodingSeconds() {
    const double t0 = now();
    for (const TextureEntry& entry : textureTable)
        loadPng(entry.fileName);
    return now() - t0;
}
}  // namespace

int main(int argc, char** argv) {
    if (chdir(CORVANE_DATA_DIR) != 0) {
        std::perror(CORVANE_DATA_DIR);
        return 1;
    }
    BenchSubject program;
    program.start = [] {
        startUp();
        return true;
    };
    program.startupStages = [](void (*report)(const char*, double)) {
        const StartupMarks& m = startupMarks;
        report("video", m.video - m.begin);
        report("textures", m.textures - m.video);
        report("of_which_decoding", decodingSeconds());
        report("fonts_and_widgets", m.widgets - m.textures);
        report("first_frame", m.firstFrame - m.widgets);
        report("scene_and_animation", m.scene - m.firstFrame);
        report("first_frame_at", m.firstFrame - m.begin);
    };
    program.draw = drawFrame;
    program.between = [] {
        pumpEvents();
        updateAnimation(settledStep);
        runTimerPass(settledStep);
    };
    program.loopPass = runFrame;
    program.lastStep = [] { return static_cast<double>(lastFrameStep); };
    return runBench(argc, argv, program);
}
