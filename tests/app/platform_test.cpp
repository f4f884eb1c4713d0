// The platform layer's heap set-up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/platform.h"

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
