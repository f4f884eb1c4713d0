// The Windows program under Wine beside the Linux program (run by
// scripts/test-windows, which names the installed program).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>

#include "e2e/program_run.h"

namespace {
// The parts that stand still: sky and panel above the scene, the land and
// its cones, away from the arrow (the sea shows the flowing plate).
constexpr Region still[] = {{0, 0, 640, 150}, {300, 150, 160, 100}, {510, 150, 130, 100}};

// Pauses the program and returns its window once two shots in a row agree:
// the paused frame, badge and all, whatever the machine's load.
Image pausedShot(ProgramRun& run) {
    run.pressWithModifiers({}, "p");
    Image last = run.screenshot();
    return run.screenshotWhen([&](const Image& shot) {
        const bool steady = differingPixels(last, shot, {0, 0, 640, 480}) == 0;
        last = shot;
        return steady;
    });
}
}  // namespace

TEST(WindowsBesideLinux, ShowsTheSameScene) {
    if (std::getenv("CORVANE_WINDOWS_PROGRAM") == nullptr)
        GTEST_SKIP() << "no Windows program named";
    // Each paused once it has drawn; one after the other, as their windows
    // open at the same place.
    // In German: the panel's texts come from the catalog beside each program.
    ProgramRun onWindows, onLinux(true);
    ASSERT_TRUE(onWindows.start(CORVANE_DATA_DIR, {}, 0.5, {"--lang=de"}));
    const Image a = pausedShot(onWindows);
    ASSERT_TRUE(onLinux.start(CORVANE_DATA_DIR, {}, 0.5, {"--lang=de"}));
    const Image b = pausedShot(onLinux);
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    int differing = 0, stillPixels = 0, stillDiffering = 0;
    differing = differingPixels(a, b, {0, 0, 640, 480});
    for (const Region& r : still) {
        stillPixels += r.w * r.h;
        stillDiffering += differingPixels(a, b, r);
    }
    std::printf("Windows beside Linux: %.2f%% of all pixels differ, %.2f%% of the still parts\n",
                100.0 * differing / (640 * 480), 100.0 * stillDiffering / stillPixels);
    EXPECT_LT(stillDiffering, stillPixels / 200) << "the still parts are the same";
    for (ProgramRun* run : {&onLinux, &onWindows}) {
        run->requestClose();
        EXPECT_TRUE(run->waitForExit(10));
        EXPECT_EQ(run->exitStatus(), 0);
    }
}
