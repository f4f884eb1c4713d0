// Platform layer for X11, through SDL's window-manager information and Xlib.
#include "app/platform.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
#if defined(SDL_VIDEO_DRIVER_X11)
bool x11Info(SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return SDL_GetWMInfo(&info) > 0 && info.subsystem == SDL_SYSWM_X11;
}
#endif
}  // namespace

WindowPlacement readWindowPlacement() {
    WindowPlacement placement;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!x11Info(info))
        return placement;
    info.info.x11.lock_func();
    Display* display = info.info.x11.display;
    XWindowAttributes attributes;
    Window child;
    if (XGetWindowAttributes(display, info.info.x11.wmwindow, &attributes) &&
        XTranslateCoordinates(display, info.info.x11.wmwindow, attributes.root, 0, 0,
                              &placement.left, &placement.top, &child)) {
        placement.width = attributes.width;
        placement.height = attributes.height;
        placement.known = true;
    }
    info.info.x11.unlock_func();
#endif
    return placement;
}

void restoreWindowPlacement(const WindowPlacement& placement) {
    if (!placement.known)
        return;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!x11Info(info))
        return;
    info.info.x11.lock_func();
    Display* display = info.info.x11.display;
    XMoveResizeWindow(display, info.info.x11.wmwindow, placement.left, placement.top,
                      static_cast<unsigned>(placement.width), static_cast<unsigned>(placement.height));
    XSync(display, False);
    info.info.x11.unlock_func();
#else
    (void)placement;
#endif
}

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
