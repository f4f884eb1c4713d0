// Benchmarks of drawing: one whole frame of the scene and the panel alone,
// and the memory the panel's fonts take. Needs an X display (Mesa renders).
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "app/program.h"
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
