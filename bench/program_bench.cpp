// The program itself under the shared measuring loop: its real start-up,
// frame drawing and frame loop. Runs in the pictures' folder.
#include <unistd.h>

#include <cstdio>

#include <map>
#include <string>

#include "app/program.h"
#include "app/platform.h"
#include "app/shell.h"
#include "app/window.h"
#include "app/startup_stages.h"
#include "assets/image.h"
#include "bench/bench_driver.h"
#include "interface/interface.h"
#include "render/plate.h"

namespace {
constexpr float settledStep = 1.0f / 60;

Program* program = nullptr;
float lastStep = 0;
// When each stage of start-up ended, in seconds of now().
std::map<std::string, double> stageEnds;
double startedAt = 0;

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
    BenchSubject subject;
    subject.start = [] {
        setStartupStageHook([](const char* stage) { stageEnds[stage] = now(); });
        startedAt = now();
        program = &startUp();
        // Another size: the features shown, as a class sees them on a projector.
        int w = 0, h = 0;
        benchDrawingSize(w, h);
        if (w != 640 || h != 480) {
            program->theInterface->highlightFeatures = true;
            resizeWindow(*program, w, h);
        }
        return true;
    };
    subject.startupStages = [](void (*report)(const char*, double)) {
        report("video", stageEnds["video"] - startedAt);
        report("textures", stageEnds["textures"] - stageEnds["video"]);
        report("of_which_decoding", decodingSeconds());
        report("fonts_and_widgets", stageEnds["widgets"] - stageEnds["textures"]);
        report("first_frame", stageEnds["first_frame"] - stageEnds["widgets"]);
        report("scene_and_animation", stageEnds["scene"] - stageEnds["first_frame"]);
        report("first_frame_at", stageEnds["first_frame"] - startedAt);
    };
    subject.draw = [] { drawFrame(*program); };
    subject.between = [] {
        pumpEvents(*program);
        updateAnimation(program->animation, program->scene.thePlates->flowOffset, settledStep);
        runTimerPass(*program->timerList, settledStep);
    };
    subject.loopPass = [] { lastStep = runFrame(*program); };
    subject.lastStep = [] { return static_cast<double>(lastStep); };
    return runBench(argc, argv, subject);
}
