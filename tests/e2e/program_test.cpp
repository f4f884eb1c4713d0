// The whole program under Xvfb, driven as a learner would drive it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "assets/feature_labels.h"
#include "e2e/label_places.h"
#include "e2e/program_run.h"
#include "e2e/window_places.h"
#include "support/temp_path.h"
#include "tools/po_file.h"

namespace {
const std::string dataDir = CORVANE_DATA_DIR;

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
    ProgramRun run;
};
}  // namespace

// The window as it opens: 640 by 480, the scene under the panel's texts,
// check box and logo, and the scene moving.
TEST_F(ProgramTest, OpensASixHundredFortyByFourEightyWindowWithTheMovingSceneUnderThePanel) {
    run.movePointer(awayX, awayY);
    const Image shot = run.screenshot();
    ASSERT_EQ(shot.width, 640u);
    EXPECT_EQ(shot.height, 480u);
    // Sky at the top right, mantle at the bottom left.
    const Rgb sky = pixel(shot, 620, 110);
    EXPECT_GT(sky.b, sky.r + 30);
    const Rgb mantle = pixel(shot, 20, 470);
    EXPECT_GT(mantle.r, mantle.b + 60);
    EXPECT_LT(regionStats(shot, plainSkyRegion).lumaDeviation, textDeviation) << "the reference";
    for (const Region& text : {titleRegion, checkLabelRegion, makerRegion, addressRegion}) {
        SCOPED_TRACE(::testing::Message() << "text at " << text.x << "," << text.y);
        EXPECT_GT(regionStats(shot, text).lumaDeviation, textDeviation);
        EXPECT_GT(brightPixels(shot, text), 30);
    }
    EXPECT_GT(brightPixels(shot, titleRegion, 180), 150) << "the title is large and light";
    // The unticked box is a dark square with a lighter frame.
    const RegionStats box = regionStats(shot, checkBoxRegion);
    EXPECT_LT(box.meanR + box.meanG + box.meanB, 3 * 80);
    EXPECT_GT(box.lumaDeviation, 10);
    // The logo: a blue letter on the dark ground.
    const RegionStats logo = regionStats(shot, logoRegion);
    EXPECT_GT(logo.meanB, logo.meanR + 15);
    EXPECT_GT(logo.lumaDeviation, 40);
    // The arrow over the first cone and the flowing rock change.
    run.waitForExit(1.5);
    EXPECT_GT(differingPixels(shot, run.screenshot(), {466, 150, 40, 260}), 50) << "the scene moves";
}

TEST_F(ProgramTest, ControlQEndsWithStatusZeroAfterCleanUp) {
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
    // Nothing else: in the leak-checking build a leak report would follow.
    EXPECT_EQ(run.errors(), "cleanUp: done\n");
    EXPECT_EQ(run.output(), "");
}

TEST_F(ProgramTest, ClosingTheWindowEndsWithStatusZero) {
    run.requestClose();
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
    EXPECT_EQ(run.errors(), "cleanUp: done\n");
}

TEST_F(ProgramTest, ResizedWindowIsDrawnAtItsNewSize) {
    run.resizeTo(800, 600);
    const Image shot = run.screenshot();
    ASSERT_EQ(shot.width, 800u);
    ASSERT_EQ(shot.height, 600u);
    // The design scaled as one to the new size (4:3, no bars): sky in the
    // top right corner, the address 1.25 times as far from the top left as
    // in the 640-pixel window, where the scene's rock now lies.
    const Rgb corner = pixel(shot, 790, 10);
    EXPECT_GT(corner.b, corner.r + 30);
    EXPECT_GT(brightPixels(shot, {665, 573, 122, 15}), 10) << "the address near the bottom right";
    EXPECT_LT(brightPixels(shot, {532, 458, 98, 12}), brightPixels(shot, {665, 573, 122, 15}) / 3);
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(5));
    EXPECT_EQ(run.exitStatus(), 0);
}

TEST_F(ProgramTest, LogoShowsTheCreditsWhileThePointerRestsOnIt) {
    run.movePointer(awayX, awayY);
    const Image before = run.screenshot();
    run.movePointer(logoX, logoY);
    const Image on = run.screenshotOnceChanged(before, creditsRegion, 2000);
    // The credits box darkens the middle of the window and carries text.
    EXPECT_GT(differingPixels(before, on, creditsRegion), 2000);
    EXPECT_GT(darkerPixels(before, on, creditsRegion), creditsRegion.w * creditsRegion.h / 2);
    run.movePointer(awayX, awayY);
    const Image off = run.screenshot();
    EXPECT_LT(differingPixels(before, off, {200, 200, 240, 20}), 200);
}

TEST_F(ProgramTest, CheckBoxSwitchesTheFeatureLabels) {
    const Image before = run.screenshot();
    run.click(checkBoxX, checkBoxY);
    const Image labelled = run.screenshotOnceChanged(before, arcLabelRegion, 300);
    // "Volcanic arc" and "Trench" labels.
    EXPECT_GT(differingPixels(before, labelled, arcLabelRegion), 300);
    EXPECT_GT(differingPixels(before, labelled, trenchLabelRegion), 150);
    run.click(checkBoxX, checkBoxY);
    const Image cleared =
        run.screenshotWhen([&](const Image& shot) { return differingPixels(before, shot, arcLabelRegion) < 40; });
    EXPECT_LT(differingPixels(before, cleared, arcLabelRegion), 40);
}

// Large frames are slow to draw: every key event of a burst is already
// queued when the next frame's events are handled.
TEST(QuickKeys, ControlQBurstsEndTheProgramWhenFramesAreSlow) {
    for (int start = 0; start < 10; ++start) {
        SCOPED_TRACE(::testing::Message() << "start " << start + 1);
        ProgramRun run;
        ASSERT_TRUE(run.start(dataDir));
        run.resizeTo(1200, 1000);
        run.pressQuickly("ctrl+q");
        EXPECT_TRUE(run.waitForExit(5)) << "Control+Q was lost";
        EXPECT_EQ(run.exitStatus(), 0);
    }
}

// Every start on one display opens the window: nothing in this harness
// tries a start twice.
TEST(ProgramStart, OpensItsWindowFiftyTimesInARow) {
#ifdef CORVANE_SANITIZE
    constexpr int starts = 10;   // each start is slow in this build; the release build makes fifty
#else
    constexpr int starts = 50;
#endif
    for (int start = 0; start < starts; ++start) {
        ProgramRun run;
        ASSERT_TRUE(run.start(dataDir, {}, 0.0)) << "start " << start + 1;
        run.requestClose();
        ASSERT_TRUE(run.waitForExit(5)) << "start " << start + 1;
        ASSERT_EQ(run.exitStatus(), 0) << "start " << start + 1;
    }
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

// Every language the program has: its title and its labels, where their
// texts are not the English ones, painted where the English ones are not.
TEST(Languages, EachShowsItsTitleAndLabelsInPlaceOfTheEnglish) {
    const auto shotIn = [](const std::string& language) {
        ProgramRun run;
        EXPECT_TRUE(run.start(dataDir, {}, 0.5, {"--lang=" + language, "--paused"})) << language;
        run.click(checkBoxX, checkBoxY);
        run.movePointer(awayX, awayY);
        const Image shot = run.screenshotWhen([](const Image& s) { return brightPixels(s, trenchLabelRegion) > 0; });
        run.pressWithModifiers({"ctrl"}, "q");
        run.waitForExit(5);
        return shot;
    };
    const Image english = shotIn("en");
    const std::map<std::string, Box> places = englishLabelBoxes();
    std::ifstream linguas(std::string(CORVANE_PO_DIR) + "/LINGUAS");
    int languages = 0;
    for (std::string language; std::getline(linguas, language);) {
        if (language.empty() || language[0] == '#')
            continue;
        ++languages;
        SCOPED_TRACE(language);
        const auto texts = readPoFile(std::string(CORVANE_PO_DIR) + "/" + language + ".po");
        const Image shot = shotIn(language);
        EXPECT_GT(differingPixels(english, shot, titleRegion), 100) << "the title";
        for (const FeatureLabel& label : featureLabels()) {
            const auto translated = texts.find(label.text);
            if (translated == texts.end() || translated->second == label.text)
                continue;
            const Box& b = places.at(label.key);
            const Region where{int(b.left), int(480 - b.top), int(b.width()), int(b.height())};
            EXPECT_GT(differingPixels(english, shot, where), where.w * where.h / 10) << label.key;
        }
    }
    EXPECT_EQ(languages, 18);
}
