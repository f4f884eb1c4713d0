// The platform layer's heap set-up.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/platform.h"

// The sanitizers bring their own allocator, which the C library's settings
// and statistics do not reach.
#if defined(__GLIBC__) && !defined(CORVANE_SANITIZE)
#include <malloc.h>

TEST(HeapSetUp, BlocksTheSizeOfTheDriversPerFrameOnesAreMappedOnTheirOwn) {
    // The driver's per-frame blocks are 64 KiB and a header; below the
    // threshold blocks still come from the heap.
    constexpr size_t driverBlock = 64 * 1024 + 16;
    configureHeap();
    const size_t mappedBefore = mallinfo2().hblks;
    void* block = std::malloc(driverBlock);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(mallinfo2().hblks, mappedBefore + 1);
    void* small = std::malloc(4096);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(mallinfo2().hblks, mappedBefore + 1);
    std::free(small);
    std::free(block);
    EXPECT_EQ(mallinfo2().hblks, mappedBefore);
}
#endif
