// Platform layer: what every platform shares (the swap, the heap, the
// driver in leak-checking builds).
#include "app/platform.h"

#include <SDL/SDL.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void swapBuffers() { SDL_GL_SwapBuffers(); }

namespace {
// The driver's per-frame blocks are 64 KiB plus a small header.
constexpr int heapMapThreshold = 64 * 1024;
}  // namespace

void configureHeap() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, heapMapThreshold);
#endif
}

#ifdef CORVANE_SANITIZE
#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {
int keepIfDriver(dl_phdr_info* info, size_t, void*) {
    const char* name = info->dlpi_name;
    if (name != nullptr && std::strstr(name, "_dri.so") != nullptr)
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}
}  // namespace

void keepGlDriverLoaded() { dl_iterate_phdr(keepIfDriver, nullptr); }
#else
void keepGlDriverLoaded() {}
#endif
