// The Windows program under Wine beside the Linux program (run by
// scripts/test-windows, which names the installed program).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/feature_labels.h"
#include "e2e/program_run.h"
#include "e2e/window_places.h"

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

// From a folder named beyond the ANSI code page, full screen shows the
// labels painted at the screen's size, as the Linux program paints them:
// not the window's picture stretched, whose texts would be blurred.
TEST(WindowsBesideLinux, FullScreenPaintsTheLabelsAtTheScreensSize) {
    if (std::getenv("CORVANE_WINDOWS_PROGRAM") == nullptr)
        GTEST_SKIP() << "no Windows program named";
    Box place{};
    for (const FeatureLabel& label : featureLabels())
        if (std::string(label.key) == "oceanic_crust")
            place = label.place;   // over the sea, where no smoke passes
    std::vector<Image> shots;
    for (const bool onLinux : {false, true}) {
        ProgramRun run(onLinux);
        ASSERT_TRUE(run.start(CORVANE_DATA_DIR, {}, 0.5));
        run.click(checkBoxX, checkBoxY);
        run.pressWithModifiers({}, "p");
        run.pressWithModifiers({}, "F11");
        shots.push_back(run.screenshotWhen([](const Image& s) { return s.width > 640; }, 10, true));
        run.pressWithModifiers({}, "Escape");
        run.requestClose();
        EXPECT_TRUE(run.waitForExit(10));
    }
    ASSERT_EQ(shots[0].width, shots[1].width);
    const float scale = std::min(shots[0].width / 640.0f, shots[0].height / 480.0f);
    const int left = static_cast<int>((shots[0].width - 640 * scale) / 2);
    const Region text{left + static_cast<int>(place.left * scale), static_cast<int>((480 - place.top) * scale),
                      static_cast<int>(place.width() * scale), static_cast<int>(place.height() * scale)};
    const int differing = differingPixels(shots[0], shots[1], text);
    std::printf("full screen %ux%u: %d of %d pixels of a label differ from Linux's\n", shots[0].width,
                shots[0].height, differing, text.w * text.h);
    EXPECT_LT(differing, text.w * text.h / 20) << "the label painted at the screen's size";
}
