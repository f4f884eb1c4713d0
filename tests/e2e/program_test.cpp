// The whole program under Xvfb, driven as a learner would drive it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/program_run.h"
#include "support/temp_path.h"

namespace {
const std::string dataDir = CORVANE_DATA_DIR;

// Window pixels (origin top left) of things on the panel.
constexpr int checkBoxX = 18, checkBoxY = 56;
constexpr int logoX = 515, logoY = 435;
constexpr int awayX = 320, awayY = 120;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(run.start(dataDir)) << "the window did not open"; }
    void TearDown() override {
        if (HasFailure())
            std::fprintf(stderr, "program output: [%s]\nprogram errors: [%s]\n", run.output().c_str(),
                         run.errors().c_str());
        if (run.running()) {
            run.pressWithModifiers({"ctrl"}, "q");
            run.waitForExit(5);
        }
    }
    void expectStillRunning(const char* what) {
        EXPECT_FALSE(run.waitForExit(0.8)) << what << " ended the program";
    }
    ProgramRun run;
};
}  // namespace

TEST_F(ProgramTest, OpensASixHundredFortyByFourEightyWindowCalledCorvaneZone) {
    const Image shot = run.screenshot();
    EXPECT_EQ(shot.width, 640u);
    EXPECT_EQ(shot.height, 480u);
    // Sky at the top right, mantle at the bottom left.
    const Rgb sky = pixel(shot, 620, 110);
    EXPECT_GT(sky.b, sky.r + 30);
    const Rgb mantle = pixel(shot, 20, 470);
    EXPECT_GT(mantle.r, mantle.b + 60);
}

TEST_F(ProgramTest, ControlQEndsWithStatusZeroAfterCleanUp) {
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
    EXPECT_NE(run.errors().find("cleanUp: done"), std::string::npos) << run.errors();
}

TEST_F(ProgramTest, ControlQWithOtherModifiersDoesNotEndIt) {
    run.pressWithModifiers({"ctrl", "shift"}, "q");
    expectStillRunning("Control+Shift+Q");
    run.pressWithModifiers({"ctrl", "alt"}, "q");
    expectStillRunning("Control+Alt+Q");
    run.pressWithModifiers({}, "Caps_Lock");
    run.pressWithModifiers({"ctrl"}, "q");
    expectStillRunning("Control+Q with caps lock");
    run.pressWithModifiers({}, "Caps_Lock");
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
}

TEST_F(ProgramTest, ClosingTheWindowEndsWithStatusZero) {
    run.requestClose();
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
    EXPECT_NE(run.errors().find("cleanUp: done"), std::string::npos);
}

TEST_F(ProgramTest, ResizedWindowIsDrawnAtItsNewSize) {
    run.resizeTo(800, 600);
    const Image shot = run.screenshot();
    ASSERT_EQ(shot.width, 800u);
    ASSERT_EQ(shot.height, 600u);
    // The pictures stretch over the whole window and the address keeps its
    // distance from the right edge: sky in the top right corner, text
    // in the bottom right.
    const Rgb corner = pixel(shot, 790, 10);
    EXPECT_GT(corner.b, corner.r + 30);
    int bright = 0;
    for (int x = 690; x < 792; ++x)
        for (int y = 578; y < 592; ++y) {
            const Rgb p = pixel(shot, x, y);
            bright += p.r > 130 && p.g > 130 && p.b > 130;
        }
    EXPECT_GT(bright, 10) << "the address near the bottom right";
    int dark = 0;   // and none of it where it stood in the 640-pixel window
    for (int x = 532; x < 630; ++x)
        for (int y = 458; y < 470; ++y) {
            const Rgb p = pixel(shot, x, y);
            dark += !(p.r > 130 && p.g > 130 && p.b > 130);
        }
    EXPECT_GT(dark, 98 * 12 - 10);
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
}

TEST_F(ProgramTest, LogoShowsTheCreditsWhileThePointerRestsOnIt) {
    run.movePointer(awayX, awayY);
    const Image before = run.screenshot();
    run.movePointer(logoX, logoY);
    const Image on = run.screenshot();
    // The credits box darkens the middle of the window and carries text.
    EXPECT_GT(differingPixels(before, on, 200, 190, 240, 100), 2000);
    int darker = 0;
    for (int x = 200; x < 440; ++x)
        for (int y = 190; y < 290; ++y) {
            const Rgb p = pixel(on, x, y), q = pixel(before, x, y);
            darker += p.r + p.g + p.b < q.r + q.g + q.b;
        }
    EXPECT_GT(darker, 240 * 100 / 2);
    run.movePointer(awayX, awayY);
    const Image off = run.screenshot();
    EXPECT_LT(differingPixels(before, off, 200, 200, 240, 20), 200);
}

TEST_F(ProgramTest, CheckBoxSwitchesTheFeatureLabels) {
    const Image before = run.screenshot();
    run.click(checkBoxX, checkBoxY);
    const Image labelled = run.screenshot();
    // "Volcanic arc" and "Trench" labels.
    EXPECT_GT(differingPixels(before, labelled, 240, 78, 100, 16), 300);
    EXPECT_GT(differingPixels(before, labelled, 146, 208, 56, 14), 150);
    run.click(checkBoxX, checkBoxY);
    const Image cleared = run.screenshot();
    EXPECT_LT(differingPixels(before, cleared, 240, 78, 100, 16), 40);
}

TEST_F(ProgramTest, TabAndSpaceTickTheCheckBoxToo) {
    run.movePointer(awayX, awayY);
    const Image before = run.screenshot();
    run.pressWithModifiers({}, "Tab");
    run.pressWithModifiers({}, "space");
    const Image labelled = run.screenshot();
    EXPECT_GT(differingPixels(before, labelled, 240, 78, 100, 16), 300);
}

TEST_F(ProgramTest, TheSceneMoves) {
    const Image first = run.screenshot();
    run.waitForExit(1.5);
    const Image second = run.screenshot();
    // The arrow over the first cone and the flowing rock change.
    EXPECT_GT(differingPixels(first, second, 466, 150, 40, 260), 50);
}

TEST(ProgramStart, WithoutAVideoDriverItSaysSoAndExitsWithStatusOne) {
    ProgramRun run;
    ASSERT_TRUE(run.runToEnd(dataDir, {"SDL_VIDEODRIVER=nosuchdriver"}, 10));
    EXPECT_EQ(run.exitStatus(), 1);
    EXPECT_EQ(run.output(), "Error: couldn't initialize video\n");
    EXPECT_EQ(run.errors().find("cleanUp"), std::string::npos) << "cleanUp is not registered yet";
}

TEST(ProgramStart, WithoutAnOpenGLWindowItSaysSoAndExitsWithStatusOne) {
    // The dummy driver starts but has no OpenGL: the window cannot be opened.
    ProgramRun run;
    ASSERT_TRUE(run.runToEnd(dataDir, {"SDL_VIDEODRIVER=dummy"}, 10));
    EXPECT_EQ(run.exitStatus(), 1);
    EXPECT_EQ(run.errors().find("Error: couldn't open the window: "), 0u) << run.errors();
    EXPECT_EQ(run.errors().find("cleanUp"), std::string::npos);
}

TEST(ProgramStart, StartsWithPicturesMissing) {
    const std::string dir = testTempPath("missing_pictures");
    ASSERT_EQ(std::system(("rm -rf " + dir + " && mkdir -p " + dir + " && cp " + dataDir +
                           "/*.png " + dir + " && rm " + dir + "/magma.png " + dir + "/arrow.png")
                              .c_str()),
              0);
    ProgramRun run;
    ASSERT_TRUE(run.start(dir));
    const Image shot = run.screenshot();
    EXPECT_EQ(shot.width, 640u);
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
}
