// Interposes malloc, calloc, realloc and memalign-style calls to count them,
// then hands each to glibc's own allocator.
#include "bench/alloc_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {
std::atomic<uint64_t> allocations{0};
std::atomic<uint64_t> cppCalls{0};

void* counted(size_t n) {
    cppCalls.fetch_add(1, std::memory_order_relaxed);
    if (n == 0)
        n = 1;
    void* p = malloc(n);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}
}  // namespace

uint64_t heapAllocations() { return allocations.load(std::memory_order_relaxed); }
uint64_t cppAllocations() { return cppCalls.load(std::memory_order_relaxed); }

void* operator new(size_t n) { return counted(n); }
void* operator new[](size_t n) { return counted(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    try {
        return counted(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t n, const std::nothrow_t& tag) noexcept { return operator new(n, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { free(p); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }

extern "C" {
void* malloc(size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
void* calloc(size_t count, size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, n);
}
void* realloc(void* p, size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
void* memalign(size_t alignment, size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, n);
}
void* aligned_alloc(size_t alignment, size_t n) { return memalign(alignment, n); }
int posix_memalign(void** out, size_t alignment, size_t n) {
    void* p = memalign(alignment, n);
    if (p == nullptr)
        return 12;   // ENOMEM
    *out = p;
    return 0;
}
}
