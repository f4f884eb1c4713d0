// The Linux platform layer: the heap's set-up, the desktop's pictures
// folder, and a write the system refuses.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "app/classroom.h"
#include "app/platform.h"
#include "assets/image.h"
#include "support/temp_path.h"
#include "velmkit/velm_file.h"

namespace {
std::string folder(const std::string& name) { return freshFolder(name); }
}  // namespace

TEST(Pictures, GoToTheDesktopsPicturesFolderElsePicturesElseHome) {
    const std::string home = folder("home"), bin = folder("bin"), named = folder("Bilder");
    setenv("HOME", home.c_str(), 1);
    setenv("PATH", bin.c_str(), 1);   // no xdg-user-dir
    EXPECT_EQ(picturesFolder(), home);
    ASSERT_EQ(mkdir((home + "/Pictures").c_str(), 0755), 0);
    EXPECT_EQ(picturesFolder(), home + "/Pictures");
    // The desktop's own answer wins when it names a folder.
    std::ofstream(bin + "/xdg-user-dir") << "#!/bin/sh\necho '" << named << "'\n";
    ASSERT_EQ(chmod((bin + "/xdg-user-dir").c_str(), 0755), 0);
    EXPECT_EQ(picturesFolder(), named);
}

// A disk that takes no more: the system's reason, and no half a picture.
TEST(Pictures, AWriteTheSystemRefusesSaysWhy) {
    const std::string saved = folder("saved");
    int error = 0;
    Image noisy;   // too much noise to compress into the room left
    noisy.width = noisy.height = 128;
    noisy.bitDepth = 8;
    noisy.channels = 3;
    noisy.pixels = new uint8_t[128 * 128 * 3];
    for (uint32_t i = 0, x = 1; i < 128 * 128 * 3; ++i, x = x * 1103515245 + 12345)
        noisy.pixels[i] = static_cast<uint8_t>(x >> 16);
    rlimit limit{}, small{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    small = limit;
    small.rlim_cur = 4096;
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_FALSE(savePngAsNewFile(saved + "/big.png", noisy, error));
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(error, EFBIG) << savingFailure(error);
    EXPECT_FALSE(velmPathExists(saved + "/big.png"));
}


// The sanitizers bring their own allocator, which the C library's settings
// and statistics do not reach.
#if defined(__GLIBC__) && !defined(CORVANE_SANITIZE)
#include <malloc.h>

namespace {
// Exit status of the check, run in a process of its own: what the heap can
// serve from free memory depends on what ran before in the process.
int heapStaysPut() {
    // The driver's per-frame blocks are 64 KiB and a header.
    constexpr size_t driverBlock = 64 * 1024 + 16;
    constexpr int blocks = 32;
    configureHeap();
    const struct mallinfo2 before = mallinfo2();
    std::vector<void*> held;
    for (int i = 0; i < blocks; ++i)
        held.push_back(std::malloc(driverBlock));
    const struct mallinfo2 during = mallinfo2();
    for (void* block : held)
        std::free(block);
    const struct mallinfo2 after = mallinfo2();
    // The heap did not grow for them: nearly all were mapped on their own,
    // and unmapped again when freed.
    if (during.arena != before.arena || during.hblks < before.hblks + blocks - 2)
        return 1;
    return after.hblks == before.hblks ? 0 : 2;
}
}  // namespace

TEST(HeapSetUp, BlocksTheSizeOfTheDriversPerFrameOnesNeverGrowTheHeap) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");   // a fresh process, not a fork
    EXPECT_EXIT(std::exit(heapStaysPut()), ::testing::ExitedWithCode(0), "");
}
#endif
