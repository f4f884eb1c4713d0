// Runs the corvane program under the X display and drives it as a person
// would: xdotool for the pointer and keys, ImageMagick for screenshots.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "assets/image.h"
#include "e2e/shot_analysis.h"

class ProgramRun {
public:
    // The Linux program, or the Windows program under Wine when
    // CORVANE_WINDOWS_PROGRAM names it (unless linuxOnly).
    explicit ProgramRun(bool linuxOnly = false);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts the program in dir with extra environment entries ("NAME=value")
    // and waits for its window, then for settle seconds of first frames.
    bool start(const std::string& dir, const std::vector<std::string>& env = {},
               double settle = 0.5, const std::vector<std::string>& args = {});
    // Starts the program and waits for it to end by itself, within seconds.
    bool runToEnd(const std::string& dir, const std::vector<std::string>& env, double seconds);

    bool running();
    // Waits for the process to end; false when it is still running then.
    bool waitForExit(double seconds);
    int exitStatus() const { return status; }
    std::string output() const;   // standard output
    std::string errors() const;   // standard error

    const std::string& window() const { return windowId; }
    // Focuses the window, then holds each modifier while pressing key.
    void pressWithModifiers(const std::vector<std::string>& modifiers, const std::string& key);
    // Focuses the window, then sends keys such as "ctrl+q" in one burst:
    // every press and release at once, as a quick hand does.
    void pressQuickly(const std::string& keys);
    // Moves the pointer to window pixels (origin top left).
    void movePointer(int x, int y);
    void click(int x, int y);
    // Sends the window system's close request (WM_DELETE_WINDOW).
    void requestClose();
    void resizeTo(int width, int height);
    // A screenshot of the window, rows bottom first (as loadPng gives them).
    Image screenshot();
    // Screenshots until one shows what `shows` looks for, or one begun
    // after seconds have passed does not; the last one. A slow program
    // (Wine, a loaded machine) may take some frames to show what an input did.
    Image screenshotWhen(const std::function<bool(const Image&)>& shows, double seconds = 5,
                         bool wholeScreen = false);
    // ... until one differs from `from` in more than `pixels` pixels of region.
    Image screenshotOnceChanged(const Image& from, Region region, int pixels, double seconds = 5);
    // A screenshot of the whole screen (a full-screen program draws into a
    // window of SDL's own).
    Image screenshotOfScreen();
    std::string lastShot() const { return outPath + ".png"; }

private:
    bool launch(const std::string& dir, const std::vector<std::string>& env,
                const std::vector<std::string>& args = {});
    std::string shell(const std::string& command, int* exitCode = nullptr);
    // Runs an X client command; a failure fails the test.
    std::string xCommand(const std::string& command);

    bool wine;
    pid_t pid = -1;
    int status = -1;
    std::string windowId;
    std::string outPath, errPath;
    std::string windowsFolder;   // where the Windows program last ran from
};
