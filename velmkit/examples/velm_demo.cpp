// velmkit demo: every widget of the library in one window, driven by Xlib
// and GLX directly (the library itself knows nothing of the window system).
// Run it from any folder; Escape or closing the window quits.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "velmkit/velm.h"

namespace {
constexpr int demoWidth = 520, demoHeight = 360;
constexpr int frameMilliseconds = 16;

// Pending library timers, fired by the demo's loop.
struct PendingTimer {
    std::chrono::steady_clock::time_point due;
    VelmTimerFunc func;
    int32_t value;
};
std::vector<PendingTimer> timers;
int32_t modifierBits = 0;

void addTimer(uint32_t ms, VelmTimerFunc func, int32_t value) {
    timers.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(ms), func, value});
}
void ignoreHook(int32_t) {}
int32_t modifiers() { return modifierBits; }

void fireDueTimers() {
    const auto now = std::chrono::steady_clock::now();
    std::vector<PendingTimer> due;
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->due <= now) {
            due.push_back(*it);
            it = timers.erase(it);
        } else {
            ++it;
        }
    }
    for (const PendingTimer& t : due)
        t.func(t.value);
}

int32_t modifiersOf(unsigned state) {
    return ((state & ShiftMask) ? velmModShift : 0) | ((state & ControlMask) ? velmModControl : 0) |
           ((state & Mod1Mask) ? velmModAlt : 0) | ((state & LockMask) ? velmModCapsLock : 0);
}

// Reports check box changes on standard output.
struct Reporter : VelmResponder {
    VelmLabel* status = nullptr;
    void respond(VelmDrawable* sender) override {
        if (auto* box = dynamic_cast<VelmCheckBox*>(sender)) {
            std::printf("%s: %s\n", box->getText().c_str(), box->isChecked() ? "on" : "off");
            status->setText(box->isChecked() ? "Last change: ticked" : "Last change: unticked");
        }
    }
    void notify(VelmDrawable*) override {}
};
}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "velm_demo: cannot open the X display\n");
        return 1;
    }
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8,
                        GLX_BLUE_SIZE, 8, GLX_DEPTH_SIZE, 16, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (visual == nullptr) {
        std::fprintf(stderr, "velm_demo: no OpenGL visual\n");
        return 1;
    }
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes set{};
    set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    set.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                     ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
    const Window window = XCreateWindow(display, root, 0, 0, demoWidth, demoHeight, 0, visual->depth,
                                        InputOutput, visual->visual, CWColormap | CWEventMask, &set);
    XStoreName(display, window, "velmkit demo");
    Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &closeRequest, 1);
    XMapWindow(display, window);
    GLXContext gl = glXCreateContext(display, visual, nullptr, True);
    glXMakeCurrent(display, window, gl);

    velmInit(addTimer, ignoreHook, modifiers);
    const VelmPalette palette = {{0.05f, 0.1f, 0.2f, 1}, {0.1f, 0.2f, 0.2f, 1}, {0.1f, 0.1f, 0.05f, 1},
                                 {0.2f, 0.2f, 0.3f, 1},  {0.8f, 0.8f, 0.8f, 1}, {1, 1, 1, 1},
                                 {0, 0, 0, 1},           {0.2f, 0.5f, 0.7f, 1}, {0.2f, 0.2f, 0.2f, 1}};
    auto* context = new VelmContext(demoWidth, demoHeight, "VERDANA.TTF", palette);
    const float panel[4] = {0.12f, 0.18f, 0.3f, 0.8f}, highlight[4] = {0.9f, 0.6f, 0.2f, 0.5f};
    new VelmColorRect(context, 10, 10, demoWidth - 20, demoHeight - 20, panel);
    new VelmColorRect(context, 300, 40, 190, 90, highlight);
    auto* title = new VelmLabel(context, 24, 0, "velmkit widgets", 24, 0);
    title->setDependentDimensions(0, title->getHeight() + 20, 0, 0);
    auto* bold = new VelmLabel(context, 24, 250, "Bold: VERDANAB.TTF", 16, 0);
    bold->setFont("VERDANAB.TTF");
    auto* lines = new VelmLabel(context, 24, 140, "A label of three lines,\nwith a tab:\there,\nand colour.", 14, 0);
    lines->setTextColor(0.6f, 0.9f, 1.0f, 1.0f);
    Reporter reporter;
    reporter.status = new VelmLabel(context, 310, 90, "Last change: none", 12, 0);
    auto* first = new VelmCheckBox(context, 24, 90, "Highlighted Features", 14, -1);
    auto* second = new VelmCheckBox(context, 24, 60, "A second box (Tab, Space)", 14, -1);
    auto* off = new VelmCheckBox(context, 24, 30, "A disabled box", 14, -1);
    off->setChecked(true);
    off->setEnabled(false);
    first->setResponder(&reporter);
    second->setResponder(&reporter);
    new VelmLabel(context, 310, 60, "A colour rectangle", 12, 0);

    int width = demoWidth, height = demoHeight;
    for (bool running = true; running;) {
        while (XPending(display) > 0) {
            XEvent e;
            XNextEvent(display, &e);
            switch (e.type) {
            case ConfigureNotify:
                width = e.xconfigure.width;
                height = e.xconfigure.height;
                glViewport(0, 0, width, height);
                context->resize(width, height);
                break;
            case KeyPress:
            case KeyRelease: {
                modifierBits = modifiersOf(e.xkey.state);
                const KeySym sym = XLookupKeysym(&e.xkey, 0);
                if (sym == XK_Escape) {
                    running = false;
                    break;
                }
                const int32_t key = sym == XK_Tab ? velmKeyTab : sym == XK_Return ? velmKeyReturn
                                                                                  : static_cast<int32_t>(sym & 0xFF);
                if (e.type == KeyPress)
                    context->keyDown(key, e.xkey.x, height - e.xkey.y);
                else
                    context->keyUp(key, e.xkey.x, height - e.xkey.y);
                break;
            }
            case ButtonPress:
            case ButtonRelease: {
                const int button = e.xbutton.button == 1 ? velmButtonLeft : e.xbutton.button == 3 ? velmButtonRight : velmButtonMiddle;
                if (e.type == ButtonPress)
                    context->mouseDown(button, e.xbutton.x, height - e.xbutton.y);
                else
                    context->mouseUp(button, e.xbutton.x, height - e.xbutton.y);
                break;
            }
            case MotionNotify:
                if (e.xmotion.state & (Button1Mask | Button2Mask | Button3Mask))
                    context->mouseDrag(e.xmotion.x, height - e.xmotion.y);
                else
                    context->mouseMove(e.xmotion.x, height - e.xmotion.y);
                break;
            case ClientMessage:
                if (static_cast<Atom>(e.xclient.data.l[0]) == closeRequest)
                    running = false;
                break;
            default:
                break;
            }
        }
        fireDueTimers();
        glClearColor(0.02f, 0.03f, 0.06f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_LINE_SMOOTH);
        context->resetView();
        context->draw();
        glXSwapBuffers(display, window);
        std::this_thread::sleep_for(std::chrono::milliseconds(frameMilliseconds));
    }
    delete context;
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, gl);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
