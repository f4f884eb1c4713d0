// Benchmarks of drawing: one whole frame of the scene and the panel alone,
// and the memory the panel's fonts take. Needs an X display (Mesa renders).
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "animation/animation.h"
#include "app/shell.h"
#include "assets/textures.h"
#include "interface/interface.h"
#include "render/block.h"
#include "render/frame.h"
#include "render/plate.h"
#include "render/scene.h"
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

const float grey[4] = {0.2f, 0.2f, 0.2f, 1};

void makeWorld() {
    windowWidth = 640;
    windowHeight = 480;
    glViewport(0, 0, 640, 480);
    setupGLState();
    if (chdir(CORVANE_DATA_DIR) != 0)
        std::perror("data");
    loadTextures();
    guiContext = new VelmContext(640, 480, "VERDANA.TTF", grey, grey, grey, grey, grey, velmWhite,
                                 velmBlack, grey, grey, false);
    theInterface = new Interface();
    guiContext->resize(640, 480);
    guiContext->resetView();
    layoutCredits(640, 480);
    setupCamera();
    thePlates = new PlateSurfaces();
    theBlock = new Block();
    theSceneAnchor = new SceneAnchor();
    createAnimation();
    guiContext->resetView();
}

void BM_ComposeFrame(benchmark::State& state) {
    for (auto _ : state) {
        composeFrame();
        glFinish();
        updateAnimation(1.0f / 60);
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMillisecond);

void BM_PanelDraw(benchmark::State& state) {
    for (auto _ : state) {
        guiContext->resetView();
        guiContext->draw();
        glFinish();
    }
}
BENCHMARK(BM_PanelDraw)->Unit(benchmark::kMicrosecond);

// The panel's labels and their five faces and sizes, built and drawn once.
void BM_PanelFontMemory(benchmark::State& state) {
    double grown = 0;
    for (auto _ : state) {
        VelmContext* saved = guiContext;
        const double before = residentBytes();
        guiContext = new VelmContext(640, 480, "VERDANA.TTF", grey, grey, grey, grey, grey,
                                     velmWhite, velmBlack, grey, grey, false);
        Interface* panel = new Interface();
        guiContext->resetView();
        guiContext->draw();
        glFinish();
        grown = residentBytes() - before;
        delete guiContext;
        delete panel;
        guiContext = saved;
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
    makeWorld();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    SDL_Quit();
    return 0;
}
