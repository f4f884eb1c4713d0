// Drawing allocates nothing: labels and check boxes are drawn every frame.
// Counts operator new in this test program while a test arms the counter.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "support/gl_helpers.h"
#include "support/recording.h"
#include "velmkit/velm.h"

namespace {
bool counting = false;
int allocations = 0;
const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};

void noTimer(uint32_t, VelmTimerFunc, int32_t) {}
void noHook(int32_t) {}
int32_t noModifiers() { return 0; }
}  // namespace

// The replacements below pair operator new with free through malloc, which
// GCC cannot see through.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(size_t n) {
    if (counting)
        ++allocations;
    if (void* p = std::malloc(n == 0 ? 1 : n))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    try {
        return operator new(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t n, const std::nothrow_t& tag) noexcept { return operator new(n, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

TEST(DrawingAllocations, LabelsAndCheckBoxesDrawWithoutAllocating) {
    velmInit(noTimer, noHook, noModifiers);
    VelmContext context(640, 480, "VERDANA.TTF", testPalette(grey));
    // Longer than any short-string buffer, with lines, tabs and non-ASCII.
    new VelmLabel(&context, 10, 300, "A label long enough to need the heap\nsecond line\tafter a tab", 14, 0);
    new VelmLabel(&context, 10, 200, "Gl\xc3\xa4nzende Vulkane \xe2\x80\x94 \xc3\xbc", 24, 0);
    new VelmCheckBox(&context, 10, 100, "Highlighted Features with a long caption", 14, -1);
    resetTestView();
    context.resetView();
    context.draw();   // fills the font caches

    allocations = 0;
    counting = true;
    for (int i = 0; i < 10; ++i)
        context.draw();
    counting = false;
    EXPECT_EQ(allocations, 0);

    // Text that must be mended first may allocate, but still draws.
    new VelmLabel(&context, 10, 50, "bad \xff byte", 14, 0);
    context.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
