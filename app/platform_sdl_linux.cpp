// Platform layer, Linux: the window's place through SDL's window-manager
// information and Xlib, the desktop's pictures folder, the program's folder,
// the C library's heap and the GL driver in leak-checking builds.
#include "app/platform.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#ifdef CORVANE_SANITIZE
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#endif

#include <cstdio>
#include <cstdlib>

#include "velmkit/velm_file.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
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
bool isFolder(const std::string& path) { return velmIsFolder(path); }

std::string commandOutput(const char* command) {
    std::string out;
    if (FILE* p = popen(command, "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p) != nullptr)
            out += buffer;
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}
}  // namespace

std::string picturesFolder() {
    const char* homeValue = std::getenv("HOME");
    const std::string home = homeValue != nullptr ? homeValue : "";
    // Unset, the tool answers the home folder itself.
    const std::string named = commandOutput("xdg-user-dir PICTURES 2>/dev/null");
    if (named != home && isFolder(named))
        return named;
    if (isFolder(home + "/Pictures"))
        return home + "/Pictures";
    if (isFolder(home))
        return home;
    const passwd* user = getpwuid(getuid());
    if (user != nullptr && isFolder(user->pw_dir))
        return user->pw_dir;
    char here[4096];
    return getcwd(here, sizeof here) != nullptr ? here : "";
}

std::string programFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    const std::string p(path, static_cast<size_t>(n));
    return p.substr(0, p.find_last_of('/'));
}

// The launcher starts the program among its pictures; the environment says the language.
void findPicturesBesideProgram() {}
std::string systemLanguage() { return {}; }
std::vector<std::string> fontFolders() { return {}; }
void alertUser(const std::string&) {}

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
