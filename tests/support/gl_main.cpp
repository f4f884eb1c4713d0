// Test entry for suites that need GL: opens one 640 by 480 OpenGL window
// (through SDL, on the X display) before running the tests, and lets the
// suite's process prepare what it needs (support/gl_process.h).
#include <SDL/SDL.h>
#include <gtest/gtest.h>
#undef main   // a console program: SDL's Windows start-up module is not used

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/gl_process.h"

namespace {
bool listingOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!listingOnly(argc, argv)) {
#ifndef _WIN32
        setenv("SDL_VIDEODRIVER", "x11", 0);
#endif
        bool open = SDL_Init(SDL_INIT_VIDEO) == 0;
        if (open) {
            SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
            SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
            open = SDL_SetVideoMode(640, 480, 32, SDL_OPENGL) != nullptr;
        }
        if (!open) {
            std::fprintf(stderr, "cannot open an OpenGL window: %s\n", SDL_GetError());
            SDL_Quit();
            return 1;
        }
        prepareGlProcess();
    }
    const int result = RUN_ALL_TESTS();
    SDL_Quit();
    return result;
}
