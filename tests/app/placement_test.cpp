// The window keeps its place on screen across mode changes, under a
// reparenting window manager and without one, each on an X server of its own.
// The test framework before Xlib, whose macros clash with its names.
#include <gtest/gtest.h>

// The program's headers before Xlib's too: its None is a macro.
#include "app/platform.h"
#include "app/program.h"
#include "app/window.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include <unistd.h>

#include "support/xvfb_server.h"

namespace {
struct Point {
    int x, y;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

class PlacementTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start("1280x1024x24", GetParam())) << "no X server";
        setenv("DISPLAY", server.display().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(640, 480, 32, SDL_OPENGL), nullptr) << SDL_GetError();
        keepGlDriverLoaded();   // as the program does: the driver's memory stays reachable
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_GT(SDL_GetWMInfo(&info), 0);
        window = info.info.x11.wmwindow;
        display = XOpenDisplay(server.display().c_str());
        ASSERT_NE(display, nullptr);
        char previous[4096];
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(CORVANE_DATA_DIR), 0);
        buildProgram(program, nullptr);
        built = true;
        ASSERT_EQ(chdir(previous), 0);
    }
    void TearDown() override {
        if (built)
            freeProgram(program);
        if (display != nullptr)
            XCloseDisplay(display);
        SDL_Quit();
        server.stop();
    }

    Point clientOnRoot() {
        int x = 0, y = 0;
        Window child;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        return {x, y};
    }
    Point clientSize() {
        XWindowAttributes a;
        XGetWindowAttributes(display, window, &a);
        return {a.width, a.height};
    }
    bool reparented() {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        if (children != nullptr)
            XFree(children);
        return parent != root;
    }
    // Waits until the window has stood still for a moment (a window manager
    // answers asynchronously), then says where it stands.
    Point settled() {
        Point last = clientOnRoot();
        int still = 0;
        for (int i = 0; i < 100 && still < 6; ++i) {
            SDL_PumpEvents();
            SDL_Delay(50);
            const Point now = clientOnRoot();
            still = now == last ? still + 1 : 0;
            last = now;
        }
        return last;
    }

    XvfbServer server;
    Display* display = nullptr;
    Window window = 0;
    Program program;
    bool built = false;
};
}  // namespace

TEST_P(PlacementTest, FiveResizesLeaveTheWindowWhereItStood) {
    const Point start = settled();
    EXPECT_EQ(reparented(), GetParam() != nullptr) << "the window manager frames the window";
    const Point sizes[5] = {{800, 600}, {700, 500}, {1000, 800}, {640, 480}, {660, 470}};
    for (const Point& size : sizes) {
        SCOPED_TRACE(::testing::Message() << size.x << "x" << size.y);
        resizeWindow(program, size.x, size.y);   // as the event pump does on a size event
        const Point now = settled();
        EXPECT_EQ(now.x, start.x);
        EXPECT_EQ(now.y, start.y);
        EXPECT_EQ(clientSize(), size);
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutAWindowManager, PlacementTest,
                         ::testing::Values(nullptr, "openbox"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param == nullptr ? "NoWindowManager" : info.param);
                         });
