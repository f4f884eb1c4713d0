// Benchmarks of drawing: one whole frame of the scene and the panel alone,
// the memory the panel's fonts take, and the animation's step over an F12
// save. Needs an X display (Mesa renders).
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/shell.h"
#include "interface/interface.h"
#include "render/plate.h"
#include "velmkit/velm.h"

namespace {
// Resident memory of this process in bytes.
double residentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

Program program;

void BM_ComposeFrame(benchmark::State& state) {
    for (auto _ : state) {
        composeFrame(frameParts(program));
        glFinish();
        updateAnimation(program.animation, program.scene.thePlates->flowOffset, 1.0f / 60);
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMillisecond);

void BM_PanelDraw(benchmark::State& state) {
    for (auto _ : state) {
        program.guiContext->resetView();
        program.guiContext->draw();
        glFinish();
    }
}
BENCHMARK(BM_PanelDraw)->Unit(benchmark::kMicrosecond);

// The panel's labels and their five faces and sizes, built and drawn once.
void BM_PanelFontMemory(benchmark::State& state) {
    double grown = 0;
    for (auto _ : state) {
        const double before = residentBytes();
        auto* context = new VelmContext(640, 480, "VERDANA.TTF", program.guiContext->getPalette());
        auto* panel = new Interface(context, program.textures.logoTexture);
        context->resetView();
        context->draw();
        glFinish();
        grown = residentBytes() - before;
        delete context;
        delete panel;
    }
    state.counters["resident_growth_MiB"] = grown / (1 << 20);
}
BENCHMARK(BM_PanelFontMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The longest step of the frame loop's next frames, paced as a display paces them.
float longestStep(int frames) {
    float longest = 0;
    for (int i = 0; i < frames; ++i)
        longest = std::max(longest, runFrame(program));
    return longest;
}

// F12 must cost the animation nothing: the longest step of the two blocks
// of frames over a save, against the longest of the four ordinary blocks
// after them, as a ratio (the median of the saves; target at most 1.2).
// The pictures go to a home folder of the benchmark's own.
void BM_StepOverASave(benchmark::State& state) {
    char home[] = "/tmp/corvane-bench-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        state.SkipWithError("no folder for the pictures");
        return;
    }
    std::filesystem::create_directories(std::string(home) + "/Pictures");
    const char* const previousHome = std::getenv("HOME");
    const std::string restoredHome = previousHome != nullptr ? previousHome : "";
    setenv("HOME", home, 1);
    program.clock.setFramePacing(true);
    longestStep(2 * framesPerEstimate);
    struct Save {
        float overSave, ordinary;
        float ratio() const { return overSave / ordinary; }
    };
    std::vector<Save> saves;
    for (auto _ : state) {
        program.classroom.pictureRequested = true;
        const float overSave = longestStep(2 * framesPerEstimate);
        saves.push_back({overSave, longestStep(4 * framesPerEstimate)});
    }
    if (previousHome != nullptr)
        setenv("HOME", restoredHome.c_str(), 1);
    else
        unsetenv("HOME");
    std::filesystem::remove_all(home);
    std::sort(saves.begin(), saves.end(), [](const Save& a, const Save& b) { return a.ratio() < b.ratio(); });
    const Save& median = saves[saves.size() / 2];
    state.counters["step_over_save_ms"] = median.overSave * 1000;
    state.counters["ordinary_step_ms"] = median.ordinary * 1000;
    state.counters["ratio"] = median.ratio();
}
BENCHMARK(BM_StepOverASave)->Iterations(5)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "x11", 0);
    const bool open = SDL_Init(SDL_INIT_VIDEO) == 0 &&
                      SDL_SetVideoMode(640, 480, 32, SDL_OPENGL) != nullptr;
    if (!open) {
        std::fprintf(stderr, "cannot open an OpenGL window\n");
        return 1;
    }
    if (chdir(CORVANE_DATA_DIR) != 0)
        std::perror("data");
    buildProgram(program, nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    SDL_Quit();
    return 0;
}
