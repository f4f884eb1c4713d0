// An X server of a test's own: Xvfb with a given screen, optionally with a
// window manager, for tests that need a screen size or a window manager the
// shared display does not have.
#pragma once

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/child_process.h"

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer() { stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts Xvfb on a free display with a screen such as "1280x1024x24",
    // then the window manager when one is named; true once both answer.
    // -noreset: SDL opens the display twice, and a server left without
    // clients in between would reset and turn the second connection away.
    bool start(const std::string& screen, const char* windowManager = nullptr) {
        // Xvfb picks a free display itself and names it on a pipe: test
        // processes starting side by side never race for one.
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return false;
        const std::string fd = std::to_string(pipeEnds[1]);
        server = spawn({"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                        "-noreset"});
        close(pipeEnds[1]);
        std::string number;
        pollfd ready{pipeEnds[0], POLLIN, 0};
        char c = 0;
        while (poll(&ready, 1, 10000) == 1 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        if (number.empty()) {
            stop();
            return false;
        }
        name = ":" + number;
        if (server <= 0)
            return false;
        if (windowManager != nullptr) {
            setenv("DISPLAY", name.c_str(), 1);
            manager = spawn({windowManager, "--sm-disable"});
            if (!waitFor([&] { return managed(); })) {
                stop();
                return false;
            }
        }
        return true;
    }

    void stop() {
        for (pid_t* pid : {&manager, &server}) {
            if (*pid > 0) {
                kill(*pid, SIGTERM);
                waitpid(*pid, nullptr, 0);
            }
            *pid = -1;
        }
    }

    // The display name, ":N".
    const std::string& display() const { return name; }

private:
    template <typename Ready>
    static bool waitFor(Ready ready) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (ready())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    static pid_t spawn(std::initializer_list<const char*> args) {
        const pid_t parent = getpid();
        const pid_t pid = fork();
        if (pid == 0) {
            endWithParent(parent, SIGTERM);   // the server removes its lock as it goes
            if (std::freopen("/dev/null", "w", stdout) == nullptr || std::freopen("/dev/null", "w", stderr) == nullptr)
                _exit(126);
            const char* argv[16] = {};
            int i = 0;
            for (const char* a : args)
                argv[i++] = a;
            execvp(argv[0], const_cast<char* const*>(argv));
            _exit(127);
        }
        return pid;
    }

    // A window manager announces itself on the root window (EWMH).
    bool managed() const {
        Display* display = XOpenDisplay(name.c_str());
        if (display == nullptr)
            return false;
        const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* data = nullptr;
        const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                              AnyPropertyType, &type, &format, &items, &left, &data) == Success &&
                           items == 1;
        if (data != nullptr)
            XFree(data);
        XCloseDisplay(display);
        return found;
    }

    pid_t server = -1, manager = -1;
    std::string name;
};
