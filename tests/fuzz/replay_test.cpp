// Replays the fuzzer's seed corpus and every input it ever crashed on
// through the PNG reader, as files and from memory.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assets/image.h"
#include "support/png_files.h"

namespace {
std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name != "README")
                files.push_back(dir + "/" + name);
        }
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// What a seed's name says it holds: samples per pixel after reading.
int expectedChannels(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name.rfind("greyalpha", 0) == 0)
        return 2;
    if (name.rfind("rgba", 0) == 0)
        return 4;
    if (name.rfind("rgb", 0) == 0)
        return 3;
    return 1;   // grey, and palette indices
}

void expectSane(const Image& image) {
    if (image.empty()) {
        EXPECT_EQ(image.pixels, nullptr);
        return;
    }
    EXPECT_GT(image.width, 0u);
    EXPECT_GT(image.height, 0u);
    EXPECT_LE(image.width, maxImageSide);
    EXPECT_LE(image.height, maxImageSide);
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_NE(image.pixels, nullptr);
}
}  // namespace

TEST(FuzzCorpus, EverySeedReadsAsFiveByThreeEightBitSamples) {
    const std::vector<std::string> seeds = filesIn(CORVANE_FUZZ_DIR "/corpus");
    ASSERT_GE(seeds.size(), 41u) << "five colour types, every depth, plain, interlaced, with tRNS";
    for (const std::string& seed : seeds) {
        SCOPED_TRACE(seed);
        const Image image = loadPng(seed);
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(image.width, 5u);
        EXPECT_EQ(image.height, 3u);
        EXPECT_EQ(image.bitDepth, 8);
        EXPECT_EQ(image.channels, expectedChannels(seed));
        const std::vector<unsigned char> bytes = readBytes(seed);
        const Image fromMemory = decodePng(bytes.data(), bytes.size());
        ASSERT_FALSE(fromMemory.empty());
        EXPECT_TRUE(std::equal(image.pixels, image.pixels + image.rowBytes() * image.height, fromMemory.pixels));
    }
}

TEST(FuzzCorpus, EveryCrashReproducerNowReadsSafely) {
    for (const std::string& input : filesIn(CORVANE_FUZZ_DIR "/crashes")) {
        SCOPED_TRACE(input);
        expectSane(loadPng(input));
        const std::vector<unsigned char> bytes = readBytes(input);
        expectSane(decodePng(bytes.data(), bytes.size()));
    }
}

TEST(FuzzCorpus, EveryPrefixOfASeedIsReadSafely) {
    // Files cut short at each length, as the fuzzer's first steps would.
    for (const std::string& seed : filesIn(CORVANE_FUZZ_DIR "/corpus")) {
        const std::vector<unsigned char> bytes = readBytes(seed);
        for (size_t n = 0; n < bytes.size(); ++n) {
            const Image image = decodePng(bytes.data(), n);
            EXPECT_TRUE(image.empty()) << seed << " cut to " << n << " bytes";
        }
    }
}
