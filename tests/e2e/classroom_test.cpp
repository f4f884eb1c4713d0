// The classroom keys on the whole program, driven as a teacher would.
#include <gtest/gtest.h>

#include <dirent.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <map>
#include <string>
#include <vector>

#include "assets/feature_labels.h"
#include "e2e/label_places.h"
#include "e2e/program_run.h"
#include "e2e/window_places.h"
#include "support/temp_path.h"
#include "support/xvfb_server.h"

namespace {
const std::string dataDir = CORVANE_DATA_DIR;
constexpr Region scene{0, 90, 640, 310};       // below the panel's title, above its logo
constexpr Region centre{200, 160, 240, 160};   // where the key help stands
constexpr Region badge{540, 6, 96, 24};         // "Paused", top right

class ClassroomTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = testTempPath("home");
        ASSERT_EQ(std::system(("rm -rf " + home + " && mkdir -p " + home + "/Pictures").c_str()), 0);
        ASSERT_TRUE(run.start(dataDir, {"HOME=" + home, "PATH=/usr/bin:/bin"}));
    }
    void TearDown() override {
        if (run.running()) {
            run.pressWithModifiers({"ctrl"}, "q");
            run.waitForExit(5);
        }
    }
    std::string home;
    ProgramRun run;
};
}  // namespace

// A paused class: nothing moves and the badge shows; the key help comes and
// goes over the still scene; F12 saves what the window shows; resuming moves
// the scene again and takes the badge away.
TEST_F(ClassroomTest, PauseHelpAndPictureAsATeacherUsesThem) {
    run.pressWithModifiers({}, "p");
    const Image paused = run.screenshotWhen([](const Image& s) { return brightPixels(s, badge) > 20; });
    run.waitForExit(5);   // five seconds of a paused class
    EXPECT_LT(differingPixels(paused, run.screenshot(), scene), 20) << "nothing moved";
    EXPECT_GT(brightPixels(paused, badge), 20) << "the badge at the top right";

    run.pressWithModifiers({}, "F1");
    EXPECT_GT(differingPixels(paused, run.screenshot(), centre), 5000);
    run.pressWithModifiers({"shift"}, "slash");
    EXPECT_LT(differingPixels(paused, run.screenshot(), centre), 20);

    run.pressWithModifiers({}, "F12");
    // The notice names the picture once it is saved; a loaded machine may
    // show it some frames late.
    constexpr Region notice{0, 84, 640, 40}, belowNotice{0, 130, 640, 270};
    const Image shot = run.screenshotOnceChanged(paused, notice, 200);
    std::string saved;
    if (DIR* dir = opendir((home + "/Pictures").c_str())) {
        while (const dirent* entry = readdir(dir))
            if (std::string(entry->d_name).rfind("Corvane Zone ", 0) == 0)
                saved = home + "/Pictures/" + entry->d_name;
        closedir(dir);
    }
    ASSERT_FALSE(saved.empty()) << "no picture in ~/Pictures";
    const Image picture = loadPng(saved);
    ASSERT_EQ(picture.width, 640u);
    ASSERT_EQ(picture.height, 480u);
    // The same but for the notice that names the file, over the scene's top.
    EXPECT_LT(differingPixels(picture, shot, belowNotice), 20);
    EXPECT_GT(differingPixels(picture, shot, notice), 200) << "the notice";

    run.pressWithModifiers({}, "p");
    run.waitForExit(1);
    const Image resumed = run.screenshot();
    EXPECT_GT(differingPixels(paused, resumed, belowNotice), 50) << "it moves again";
    EXPECT_LT(brightPixels(resumed, badge), 5) << "and the badge is gone";
}

// An X server of the test's own, the display while it lives.
struct OwnDisplay {
    explicit OwnDisplay(const std::string& screen) : shared(std::getenv("DISPLAY")), started(server.start(screen)) {
        if (started)
            setenv("DISPLAY", server.display().c_str(), 1);
    }
    ~OwnDisplay() { setenv("DISPLAY", shared.c_str(), 1); }
    XvfbServer server;
    const std::string shared;
    const bool started;
};

// "?" shows the key help wherever the keyboard's layout puts it: Shift and
// "ß" on a German keyboard, Shift and "," on a French one (where a US
// keyboard's "/" types other characters).
TEST(KeyboardLayouts, QuestionMarkShowsTheHelpOnGermanAndFrenchKeyboards) {
    const OwnDisplay display("1024x768x24");
    ASSERT_TRUE(display.started);
    {
        ProgramRun run;
        ASSERT_TRUE(run.start(dataDir));
        run.pressWithModifiers({}, "p");   // a still scene to compare with
        const Image before = run.screenshotWhen([](const Image& s) { return brightPixels(s, badge) > 20; });
        for (const auto& [layout, key] : {std::pair<std::string, std::string>{"de", "ssharp"}, {"fr", "comma"}}) {
            ASSERT_EQ(std::system(("setxkbmap " + layout).c_str()), 0);
            run.pressWithModifiers({"shift"}, key);
            EXPECT_GT(differingPixels(before, run.screenshotOnceChanged(before, centre, 5000), centre), 5000)
                << "the help, on a " << layout << " keyboard";
            run.pressWithModifiers({"shift"}, key);
            const Image hidden = run.screenshotWhen([&](const Image& s) { return differingPixels(before, s, centre) < 20; });
            EXPECT_LT(differingPixels(before, hidden, centre), 20) << "and gone again";
        }
        run.pressWithModifiers({"ctrl"}, "q");
        EXPECT_TRUE(run.waitForExit(5));
    }
}

// Full screen on screens of other shapes: the design, scaled as one, fills
// the largest centred 4:3 area, with plain bars beside it.
struct ScreenShape {
    const char* size;
    Region area;   // where the design lands, origin top left
};

class FullScreenTest : public ::testing::TestWithParam<ScreenShape> {};

// Scaled back to 640 by 480 the area shows what the window showed; its
// check box and logo work where they are drawn; the window comes back.
TEST_P(FullScreenTest, ShowsTheWindowsPictureScaledAsOne) {
    const ScreenShape screen = GetParam();
    const OwnDisplay display(std::string(screen.size) + "x24");
    ASSERT_TRUE(display.started);
    {
        ProgramRun run;
        ASSERT_TRUE(run.start(dataDir));
        run.click(checkBoxX, checkBoxY);
        run.pressWithModifiers({}, "p");
        run.movePointer(awayX, awayY);
        const Image window = run.screenshotWhen([](const Image& s) { return brightPixels(s, badge) > 20; });
        run.pressWithModifiers({}, "F11");
        const Region a = screen.area;
        const auto design = [&](const Image& full) { return scaledDown(full, a, 640, 480); };
        // A large first frame after the switch may come late.
        const auto labelled = [&](const Image& full) {
            return full.width > 640 && brightPixels(design(full), arcLabelRegion) > 100;
        };
        const Image full = run.screenshotWhen(labelled, 10, true);
        ASSERT_GT(full.width, 640u);
        // Drawn at another size and scaled back, every edge and every text
        // comes out a little different (texts are set at the screen's size,
        // the textures come from finer mipmaps): 7 to 10% of the pixels
        // differ visibly, 2.5% with nothing alike within two pixels. The
        // design moved by two of its pixels makes 21% differ; the labels
        // left out leave 10% unmatched.
        const Image scaled = design(full);
        const int differing = differingPixels(window, scaled, wholeWindow);
        const int unmatched = unmatchedPixels(window, scaled, wholeWindow, 2);
        std::printf("%s: %.1f%% of the pixels differ, %.1f%% unmatched within two pixels\n", screen.size,
                    100.0 * differing / (640 * 480), 100.0 * unmatched / (640 * 480));
        EXPECT_LT(differing, 640 * 480 * 14 / 100);
        EXPECT_LT(unmatched, 640 * 480 * 4 / 100);
        EXPECT_LT(unmatchedPixels(scaled, window, wholeWindow, 2), 640 * 480 * 4 / 100);
        if (a.x > 0) {
            EXPECT_EQ(brightPixels(full, {0, 0, a.x, a.h}, 10), 0) << "a plain bar at the left";
        }

        const auto onScreen = [&](int x, int y) {
            return std::pair{a.x + x * a.w / 640, a.y + y * a.h / 480};
        };
        const auto [boxX, boxY] = onScreen(checkBoxX, checkBoxY);
        run.click(boxX, boxY);
        const Image plain = run.screenshotWhen(
            [&](const Image& s) { return differingPixels(window, design(s), arcLabelRegion) > 300; }, 5, true);
        EXPECT_GT(differingPixels(window, design(plain), arcLabelRegion), 300) << "the labels went";
        const auto [logoOnX, logoOnY] = onScreen(logoX, logoY);
        run.movePointer(logoOnX, logoOnY);
        const Image credits = run.screenshotWhen(
            [&](const Image& s) { return differingPixels(design(plain), design(s), creditsRegion) > 2000; }, 5, true);
        EXPECT_GT(darkerPixels(design(plain), design(credits), creditsRegion), creditsRegion.w * creditsRegion.h / 2)
            << "the credits box";

        run.pressWithModifiers({}, "Escape");
        const Image back = run.screenshotWhen([](const Image& shot) { return shot.width == 640; });
        EXPECT_EQ(back.width, 640u);
        EXPECT_EQ(back.height, 480u);
        const auto emptyAround = [](const Image& s) { return brightPixels(s, {(int)s.width - 40, 80, 20, 20}, 10) == 0; };
        EXPECT_TRUE(emptyAround(run.screenshotWhen(emptyAround, 5, true)))
            << "the screen outside the window is empty again";
        run.pressWithModifiers({"ctrl"}, "q");
        EXPECT_TRUE(run.waitForExit(5));
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, FullScreenTest,
                         ::testing::Values(ScreenShape{"1280x960", {0, 0, 1280, 960}}, ScreenShape{"1280x800", {106, 0, 1067, 800}},
                                           ScreenShape{"1920x1080", {240, 0, 1440, 1080}}));

// The features one at a time, in the window and in full screen on a 16:9
// screen: Right steps through every feature, each showing its label alone,
// where the picture of all the labels has it, and a caption inside the
// design; Left comes back through every one (in the window); past either
// end, and by Escape, the picture is again the one before the tour.
class TourTest : public ::testing::TestWithParam<ScreenShape> {};

// Where the pixels of region that changed from a to b lie: their middle, and how many.
std::tuple<double, double, int> changedMiddle(const Image& a, const Image& b, Region region) {
    double x = 0, y = 0;
    int count = 0;
    for (int v = region.y; v < region.y + region.h; ++v)
        for (int u = region.x; u < region.x + region.w; ++u) {
            const Rgb p = pixel(a, u, v), q = pixel(b, u, v);
            if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60)
                x += u, y += v, ++count;
        }
    return {count > 0 ? x / count : 0, count > 0 ? y / count : 0, count};
}

TEST_P(TourTest, EachFeatureAloneWithItsCaptionAndBackToThePictureBefore) {
    const ScreenShape screen = GetParam();
    const OwnDisplay display(std::string(screen.size) + "x24");
    ASSERT_TRUE(display.started);
    {
        const Region a = screen.area;
        const bool full = a.w > 640;
        const auto onScreen = [&](const Box& b) {   // a design box on the shot (origin top left)
            return Region{a.x + int(b.left * a.w / 640), a.y + int((480 - b.top) * a.h / 480),
                          int(b.width() * a.w / 640) + 1, int(b.height() * a.h / 480) + 1};
        };
        ProgramRun run;
        ASSERT_TRUE(run.start(dataDir));
        run.pressWithModifiers({}, "p");
        if (full)
            run.pressWithModifiers({}, "F11");
        Image last;
        // A shot once three in a row agree: the step painted. (Two are not
        // enough on a loaded machine: a frame's picture reaches the server in
        // bands, and the program can stall between them past one shot.)
        const auto steady = [&] {
            last = run.screenshot();
            int agreeing = 0;
            return run.screenshotWhen([&](const Image& s) {
                const bool same = s.width == last.width && differingPixels(last, s, {0, 0, int(s.width), int(s.height)}) == 0;
                agreeing = same ? agreeing + 1 : 0;
                return (last = s, agreeing == 2);
            }, 10, full);
        };
        const auto same = [&](const Image& p, const Image& q) { return differingPixels(p, q, {0, 0, int(p.width), int(p.height)}); };
        const auto tick = [&] {
            run.click(a.x + checkBoxX * a.w / 640, a.y + checkBoxY * a.h / 480);
            run.movePointer(awayX, awayY);
        };
        tick();
        const Image all = steady();
        tick();
        const Image before = steady();
        std::map<std::string, Region> places;   // where each label's text lies, and a pixel round it
        for (const auto& [key, text] : englishLabelBoxes())
            places[key] = onScreen({text.left - 1, text.bottom - 1, text.right + 1, text.top + 1});
        const Region caption = onScreen(captionBox);
        std::vector<Image> forward;
        for (const TourStep& step : tourSteps()) {
            run.pressWithModifiers({}, "Right");
            forward.push_back(steady());
            SCOPED_TRACE(step.key);
            // Its text where the picture of all the labels has it (painted
            // at another size there, so compared by where its ink lies).
            const auto [x, y, ink] = changedMiddle(before, forward.back(), places[step.key]);
            const auto [allX, allY, allInk] = changedMiddle(before, all, places[step.key]);
            EXPECT_GT(ink, allInk / 2) << "its label is shown";
            // Within 3 design pixels: on a loaded machine the plate's rate has
            // been seen 2.1 to 2.3 off; a label out of its place is off by tens.
            EXPECT_LT(std::hypot(x - allX, y - allY), 3.0 * a.h / 480) << "where all the labels have it";
            for (const auto& [key, other] : places)
                if (key != step.key && key != "not_to_scale") {   // the caption's box covers that one
                    EXPECT_LT(differingPixels(forward.back(), before, other), other.w * other.h / 50) << key << " is not shown";
                }
            EXPECT_GT(darkerPixels(before, forward.back(), caption), caption.w * caption.h / 4) << "the caption's box";
            EXPECT_EQ(a.x > 0 ? brightPixels(forward.back(), {0, 0, a.x, a.h}, 10) : 0, 0) << "nothing on the bar";
        }
        run.pressWithModifiers({}, "Right");
        EXPECT_EQ(same(steady(), before), 0) << "past the last feature, the picture before the tour";
        for (size_t i = full ? 0 : forward.size(); i-- > 0;) {
            run.pressWithModifiers({}, "Left");
            EXPECT_EQ(same(steady(), forward[i]), 0) << "back at " << tourSteps()[i].key;
        }
        run.pressWithModifiers({}, full ? "Right" : "Left");   // in full screen: a first step
        if (!full) {
            EXPECT_EQ(same(steady(), before), 0) << "past the first feature, the picture before the tour";
        }
        run.pressWithModifiers({}, "n");
        run.pressWithModifiers({}, "Escape");
        EXPECT_EQ(same(steady(), before), 0) << "after Escape, the picture before the tour";
        run.pressWithModifiers({"ctrl"}, "q");
        EXPECT_TRUE(run.waitForExit(5));
    }
}

INSTANTIATE_TEST_SUITE_P(Tour, TourTest,
                         ::testing::Values(ScreenShape{"1024x768", {0, 0, 640, 480}},
                                           ScreenShape{"1920x1080", {240, 0, 1440, 1080}}));
