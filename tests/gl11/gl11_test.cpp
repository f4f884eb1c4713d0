// The GL subset against Mesa's own GL: the program's frames, its matrices
// and projections, and GLU's mipmap levels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "assets/image.h"
#include "gl11/gl11.h"
#include "support/temp_path.h"

namespace {
class Gl11Test : public ::testing::Test {
protected:
    // Both draw once for the suite; a test fails, not skips, when one failed.
    static void SetUpTestSuite() {
        for (const auto& [program, folder] : {std::pair{FRAMES_GL, &gl}, std::pair{FRAMES_ES, &es}}) {
            *folder = freshFolder(folder == &gl ? "gl" : "es");
            const std::string command = std::string(program) + " " CORVANE_DATA_DIR " " + *folder;
            if (std::system(command.c_str()) != 0)
                failed += command + " failed; ";
        }
    }
    void SetUp() override { ASSERT_EQ(failed, ""); }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::string gl, es, failed;
};
std::string Gl11Test::gl, Gl11Test::es, Gl11Test::failed;
}  // namespace

// Every pixel within 2 levels in each channel, but for the check box, whose
// frame and mark GL draws as smoothed lines.
TEST_F(Gl11Test, FramesMatchMesaWithin2LevelsButTheCheckBoxLines) {
    std::istringstream numbers(read(gl + "/numbers.txt"));
    std::string word;
    int box[4] = {};
    while (numbers >> word && word != "lines") {}
    numbers >> box[0] >> box[1] >> box[2] >> box[3];
    for (const char* name : {"plain.png", "restored.png", "features.png", "credits.png", "smoke.png", "probes.png"}) {
        const Image a = loadPng(gl + "/" + name), b = loadPng(es + "/" + name);
        ASSERT_TRUE(a.pixels != nullptr && b.pixels != nullptr && a.width == b.width && a.height == b.height);
        int compared = 0, within = 0, left = 0;
        for (uint32_t y = 0; y < a.height; ++y)   // rows from the bottom, as the box
            for (uint32_t x = 0; x < a.width; ++x) {
                if (int(x) >= box[0] && int(x) <= box[2] && int(y) >= box[1] && int(y) <= box[3]) {
                    ++left;
                    continue;
                }
                const uint8_t* p = a.pixels + y * a.rowBytes() + x * 3;
                const uint8_t* q = b.pixels + y * b.rowBytes() + x * 3;
                ++compared;
                within += std::abs(p[0] - q[0]) <= 2 && std::abs(p[1] - q[1]) <= 2 && std::abs(p[2] - q[2]) <= 2;
            }
        std::cout << name << ": " << within << " of " << compared << " pixels within 2 levels; " << left
                  << " left out (the check box)\n";
        EXPECT_GE(within, compared * 0.999) << name;
    }
}

TEST_F(Gl11Test, MatricesAndProjectionsMatchMesaWithin1e9) {
    std::istringstream a(read(gl + "/numbers.txt")), b(read(es + "/numbers.txt"));
    std::string x, y;
    int count = 0;
    while (a >> x) {
        ASSERT_TRUE(b >> y);
        char* end = nullptr;
        const double u = std::strtod(x.c_str(), &end);
        if (*end != '\0') {
            EXPECT_EQ(x, y);
            continue;
        }
        EXPECT_NEAR(u, std::strtod(y.c_str(), nullptr), 1e-9) << "number " << count;
        ++count;
    }
    EXPECT_FALSE(b >> y) << "the subset wrote more";
    EXPECT_GT(count, 100);
}

TEST_F(Gl11Test, MipmapLevelsAreGlusByteForByte) {
    const std::string levels = read(gl + "/mipmaps.bin");
    size_t at = 0;
    int pictures = 0;
    while (at < levels.size()) {
        int header[3];
        levels.copy(reinterpret_cast<char*>(header), sizeof header, at);
        at += sizeof header;
        const auto made = gl11::mipmapLevels(reinterpret_cast<const unsigned char*>(levels.data() + at), header[0],
                                             header[1], header[2]);
        for (const auto& level : made) {
            ASSERT_LE(at + level.size(), levels.size());
            EXPECT_EQ(0, levels.compare(at, level.size(), std::string(level.begin(), level.end())))
                << "picture " << pictures << ", " << header[0] << " by " << header[1];
            at += level.size();
        }
        ++pictures;
    }
    EXPECT_EQ(pictures, 7);
}
