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

namespace {
#if defined(SDL_VIDEO_DRIVER_X11)
// The window that holds ours directly under the root: the window manager's
// frame around it, or our own window when nothing reparented it.
Window outermost(Display* display, Window window) {
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return window;
        if (children != nullptr)
            XFree(children);
        if (parent == root || parent == 0)
            return window;
        window = parent;
    }
}
#endif
}  // namespace

void swapBuffers() { SDL_GL_SwapBuffers(); }

WindowPlacement readWindowPlacement() {
    WindowPlacement placement;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!x11Info(info))
        return placement;
    info.info.x11.lock_func();
    Display* display = info.info.x11.display;
    const Window window = info.info.x11.wmwindow;
    XWindowAttributes own, outer;
    if (XGetWindowAttributes(display, window, &own) &&
        XGetWindowAttributes(display, outermost(display, window), &outer)) {
        placement.left = outer.x;
        placement.top = outer.y;
        placement.width = own.width;
        placement.height = own.height;
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
    // The window's gravity is north-west (SDL sets none): a window manager
    // puts the outer corner of its frame where we ask our window to go, so
    // we ask for where the frame was. Without a window manager the frame is
    // our window itself.
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
