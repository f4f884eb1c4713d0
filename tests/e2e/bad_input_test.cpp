// The program with wrong or missing files in its working directory: it
// starts, draws, quits cleanly, and names the pictures it could not read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>

#include "assets/image.h"
#include "assets/textures.h"
#include "e2e/program_run.h"
#include "e2e/window_places.h"
#include "support/damaged_pictures.h"
#include "support/temp_path.h"

namespace {
const std::string dataDir = CORVANE_DATA_DIR;
// What the program writes on standard error in a clean run with the
// exit handler's report switched on.
const std::string cleanErrors = "cleanUp: done\n";

// A copy of the shipped pictures in a directory of the test's own.
std::string copyOfData(const std::string& name) {
    const std::string dir = testTempPath(name);
    const std::string command = "rm -rf " + dir + " && mkdir -p " + dir + " && cp " + dataDir + "/*.png " + dir;
    return std::system(command.c_str()) == 0 ? dir : std::string();
}

// What the program says of pictures it could not read in dir (the Windows
// program names its folder as Windows spells it: that is not compared).
std::string unreadSaid(const std::string& dir, const std::string& names) {
    return "These pictures could not be read from the folder \"" + dir + "\": " + names + "\n";
}

// Starts the program in dir, checks that it goes on drawing, quits with
// Control+Q and checks the status and what it printed (unread: what it says
// of the pictures it could not read, on standard error and in the window).
// Damaged pictures can hide the whole scene, so the drawing is shown by the
// credits appearing while the pointer rests on the logo.
void expectCleanRun(const std::string& dir, const std::vector<std::string>& env, bool textShown,
                    const std::string& unread = "") {
    ProgramRun run;
    ASSERT_TRUE(run.start(dir, env)) << "the window did not open";
    run.movePointer(awayX, awayY);
    const Image first = run.screenshot();
    ASSERT_EQ(first.width, 640u);
    ASSERT_EQ(first.height, 480u);
    if (textShown) {
        EXPECT_GT(regionStats(first, titleRegion).lumaDeviation, textDeviation) << "the title";
        EXPECT_EQ(regionStats(first, unreadNoticeRegion).lumaDeviation > textDeviation, !unread.empty())
            << "the notice of the pictures not read";
    }
    run.movePointer(logoX, logoY);
    const Image second = run.screenshotOnceChanged(first, wholeWindow, 500);
    EXPECT_GT(differingPixels(first, second, wholeWindow), 500) << "frames go on being drawn";
    run.pressWithModifiers({"ctrl"}, "q");
    ASSERT_TRUE(run.waitForExit(10)) << "Control+Q did not end the program";
    EXPECT_EQ(run.exitStatus(), 0);
    EXPECT_EQ(run.output(), "");
    const std::string said = run.errors(), expected = unread + cleanErrors;
    if (std::getenv("CORVANE_WINDOWS_PROGRAM") == nullptr || unread.empty())
        EXPECT_EQ(said, expected);
    else   // from the folder's name on
        EXPECT_EQ(said.substr(said.find("\": ")), expected.substr(expected.find("\": ")));
}

}  // namespace

// All twelve pictures damaged at once, each in another way. (Each way is
// covered picture by picture by the texture set's own tests.)
TEST(DamagedPictures, StartsDrawsAndQuitsCleanly) {
    const std::string dir = copyOfData("damaged");
    ASSERT_FALSE(dir.empty());
    int i = 0;
    std::string names;
    for (const TextureEntry& entry : textureTable) {
        const Damage damage = everyDamage[i++ % std::size(everyDamage)];
        ASSERT_TRUE(damagePicture(dir + "/" + entry.fileName, damage)) << entry.fileName;
        if (loadPng(dir + "/" + entry.fileName).empty())
            names += (names.empty() ? "" : ", ") + std::string(entry.fileName);
    }
    expectCleanRun(dir, {}, true, unreadSaid(dir, names));
}

TEST(MissingPictures, StartsInAnEmptyFolderSaysWhichAndQuitsCleanly) {
    const std::string dir = testTempPath("empty");
    ASSERT_EQ(std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str()), 0);
    std::string names;
    for (const TextureEntry& entry : textureTable)
        names += (names.empty() ? "" : ", ") + std::string(entry.fileName);
    expectCleanRun(dir, {}, true, unreadSaid(dir, names));
}

TEST(UnresolvableFonts, StartsDrawsAndQuitsCleanlyWithoutText) {
    // A fontconfig configuration that names no font directory.
    const std::string dir = copyOfData("no_fonts");
    ASSERT_FALSE(dir.empty());
    const std::string config = dir + "/fonts.conf";
    FILE* file = std::fopen(config.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
               "<cachedir>" , file);
    std::fputs((dir + "/cache").c_str(), file);
    std::fputs("</cachedir>\n</fontconfig>\n", file);
    std::fclose(file);
    expectCleanRun(dir, {"FONTCONFIG_FILE=" + config}, false);
}
