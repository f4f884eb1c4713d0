// The classroom keys on the whole program, driven as a teacher would.
#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdlib>
#include <string>

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

// Full screen fills whatever screen there is, and the window comes back.
class FullScreenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FullScreenTest, FillsTheScreenAndComesBackTo640By480) {
    XvfbServer server;
    ASSERT_TRUE(server.start(GetParam()));
    const std::string shared = std::getenv("DISPLAY");
    setenv("DISPLAY", server.display().c_str(), 1);
    {
        ProgramRun run;
        ASSERT_TRUE(run.start(dataDir));
        // Sky in the top right corner of the screen, the mantle at its bottom
        // left. A large first frame after the switch may come late.
        const auto sceneFills = [](const Image& full) {
            const Rgb sky = pixel(full, full.width - 20, 100), mantle = pixel(full, 20, full.height - 20);
            return sky.b > sky.r + 30 && mantle.r > mantle.b + 30;
        };
        run.pressWithModifiers({}, "F11");
        EXPECT_TRUE(sceneFills(run.screenshotWhen(sceneFills, 10, true))) << "the scene fills the screen";
        run.pressWithModifiers({}, "Escape");
        const Image window = run.screenshotWhen([](const Image& shot) { return shot.width == 640; });
        EXPECT_EQ(window.width, 640u);
        EXPECT_EQ(window.height, 480u);
        const auto emptyAround = [](const Image& screen) {
            const Rgb empty = pixel(screen, screen.width - 20, 100);
            return empty.r + empty.g + empty.b < 30;
        };
        EXPECT_TRUE(emptyAround(run.screenshotWhen(emptyAround, 5, true)))
            << "the screen outside the window is empty again";
        run.pressWithModifiers({"ctrl"}, "q");
        EXPECT_TRUE(run.waitForExit(5));
    }
    setenv("DISPLAY", shared.c_str(), 1);
}

INSTANTIATE_TEST_SUITE_P(Screens, FullScreenTest, ::testing::Values("1024x768x24", "1920x1080x24"));
