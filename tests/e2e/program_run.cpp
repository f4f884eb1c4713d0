// ProgramRun: starting, driving and watching the program under X.
#include "e2e/program_run.h"
#include "e2e/window_places.h"

// Before Xlib, whose macros clash with the test framework's names.
#include "support/temp_path.h"
#include "support/child_process.h"
#include "support/xvfb_server.h"


#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
constexpr double windowWaitSeconds = 10.0;
// Where the pointer rests when a run starts: a corner of the suite's screen
// that no window reaches, so that no run starts hovering where the one
// before it left the pointer (Wine tells a window what lies under the
// pointer when it opens; X does not).
constexpr const char* parkedPointer = "1590 1190";

// The suite's own X server, large enough for big windows: nothing else on a
// shared display can cover the program's window or take its keys.
class OwnDisplay : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(server.start("1600x1200x24")) << "no X server";
        setenv("DISPLAY", server.display().c_str(), 1);
    }
    void TearDown() override { server.stop(); }

private:
    XvfbServer server;
};
[[maybe_unused]] const auto* ownDisplay = ::testing::AddGlobalTestEnvironment(new OwnDisplay);

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The Windows program under Wine, when CORVANE_WINDOWS_PROGRAM names its .exe.
bool underWine() { return std::getenv("CORVANE_WINDOWS_PROGRAM") != nullptr; }
}  // namespace

ProgramRun::ProgramRun(bool linuxOnly) : wine(!linuxOnly && underWine()) {}

ProgramRun::~ProgramRun() {
    if (pid > 0 && running()) {
        kill(pid, SIGKILL);
        waitForExit(5);
    }
    if (wine && !windowsFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(windowsFolder, ignored);
    }
}

std::string ProgramRun::shell(const std::string& command, int* exitCode) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, p) != nullptr)
            out += buffer;
        const int raw = pclose(p);
        if (exitCode != nullptr)
            *exitCode = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    } else if (exitCode != nullptr) {
        *exitCode = -1;
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

std::string ProgramRun::xCommand(const std::string& command) {
    int code = 0;
    const std::string out = shell(command, &code);
    if (code != 0)
        ADD_FAILURE() << "failed (" << code << "): " << command;
    return out;
}

bool ProgramRun::launch(const std::string& dir, const std::vector<std::string>& env,
                        const std::vector<std::string>& args) {
    static int runs = 0;
    const std::string base = testTempPath("run_" + std::to_string(runs++));
    outPath = base + ".out";
    errPath = base + ".err";
    status = -1;
    windowId.clear();
    // The Windows program reads its pictures beside itself: it runs from a
    // folder of this run's own, its installed files beside a copy of dir's.
    std::string folder = dir;
    std::filesystem::path installed;
    if (wine) {
        installed = std::getenv("CORVANE_WINDOWS_PROGRAM");
        if (!windowsFolder.empty())
            std::filesystem::remove_all(windowsFolder);
        // A folder named beyond the ANSI code page (a zip unpacked under
        // "Imágenes"): the program still finds its pictures, fonts and catalogs.
        folder = windowsFolder = base + "_windows_Im\xC3\xA1genes";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const auto recursive = std::filesystem::copy_options::recursive;
        for (const auto& file : std::filesystem::directory_iterator(installed.parent_path()))
            if (file.path().extension() != ".png")
                std::filesystem::copy(file.path(), folder / file.path().filename(), recursive);
        for (const auto& file : std::filesystem::directory_iterator(dir))
            std::filesystem::copy(file.path(), folder / file.path().filename(),
                                  recursive | std::filesystem::copy_options::overwrite_existing);
    }
    const pid_t parent = getpid();
    pid = fork();
    if (pid == 0) {
        endWithParent(parent, SIGKILL);
        if (chdir(folder.c_str()) != 0)
            _exit(125);
        if (freopen(outPath.c_str(), "w", stdout) == nullptr || freopen(errPath.c_str(), "w", stderr) == nullptr)
            _exit(124);
        setenv("CORVANE_REPORT_CLEANUP", "1", 1);
        if (!wine)
            setenv("SDL_VIDEODRIVER", "x11", 1);   // unless the test says otherwise
        for (const std::string& entry : env)
            putenv(const_cast<char*>(entry.c_str()));
        std::vector<std::string> command = {CORVANE_PROGRAM};
        if (wine)
            command = {"wine", (std::filesystem::path(folder) / installed.filename()).string()};
        command.insert(command.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& c : command)
            argv.push_back(&c[0]);
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(126);
    }
    return pid > 0;
}

bool ProgramRun::start(const std::string& dir, const std::vector<std::string>& env, double settle,
                       const std::vector<std::string>& args) {
    // The window of this run is the one that was not there before it.
    const std::string before = shell("xdotool search --name '^Corvane Zone$' 2>/dev/null");
    xCommand(std::string("xdotool mousemove ") + parkedPointer);
    if (!launch(dir, env, args))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(windowWaitSeconds);
    while (std::chrono::steady_clock::now() < deadline && running()) {
        std::istringstream found(shell("xdotool search --name '^Corvane Zone$' 2>/dev/null"));
        for (std::string id; std::getline(found, id);)
            if (!id.empty() && before.find(id) == std::string::npos)
                windowId = id;
        if (!windowId.empty()) {
            if (wine)   // Wine gives its window the keyboard on a click
                xCommand("xdotool mousemove --window " + windowId + " 320 120 click 1");
            // A loaded machine may map the window well before its first
            // frame: until then the window is one flat colour.
            while (settle > 0 && regionStats(screenshot(), wholeWindow).lumaDeviation < 1 &&
                   std::chrono::steady_clock::now() < deadline)
                pause(0.1);
            pause(settle);
            return true;
        }
        pause(0.05);
    }
    if (running()) {
        kill(pid, SIGKILL);
        waitForExit(5);
    }
    std::fprintf(stderr, "the program did not start: [%s] [%s]\n", output().c_str(), errors().c_str());
    return false;
}

bool ProgramRun::runToEnd(const std::string& dir, const std::vector<std::string>& env, double seconds) {
    return launch(dir, env) && waitForExit(seconds);
}

bool ProgramRun::running() {
    if (pid <= 0 || status >= 0)
        return false;
    int raw = 0;
    const pid_t done = waitpid(pid, &raw, WNOHANG);
    if (done == 0)
        return true;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return false;
}

bool ProgramRun::waitForExit(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        pause(0.05);
    }
    return true;
}

namespace {
// A Windows program ends its lines with CR LF.
std::string unixLines(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}
}  // namespace

std::string ProgramRun::output() const { return unixLines(readFile(outPath)); }
std::string ProgramRun::errors() const { return unixLines(readFile(errPath)); }

void ProgramRun::pressWithModifiers(const std::vector<std::string>& modifiers, const std::string& key) {
    // After another window closed the focus is gone until a window takes it.
    // The program reads the keyboard state again when it gains the focus;
    // give it that moment before the keys, and hold the modifiers a little
    // as a person does.
    xCommand("xdotool windowfocus --sync " + windowId);
    pause(0.3);
    std::string command = "xdotool";
    for (const std::string& m : modifiers)
        command += " keydown " + m + " sleep 0.1";
    command += " key " + key;
    for (const std::string& m : modifiers)
        command += " sleep 0.1 keyup " + m;
    xCommand(command);
    pause(0.3);
}

void ProgramRun::pressQuickly(const std::string& keys) {
    xCommand("xdotool windowfocus --sync " + windowId);
    pause(0.3);
    xCommand("xdotool key " + keys);
}

void ProgramRun::movePointer(int x, int y) {
    xCommand("xdotool mousemove --window " + windowId + " " + std::to_string(x) + " " + std::to_string(y));
    pause(wine ? 0.8 : 0.4);   // Wine's frames come slower
}

void ProgramRun::click(int x, int y) {
    movePointer(x, y);
    xCommand("xdotool click 1");
    pause(0.4);
}

void ProgramRun::requestClose() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        ADD_FAILURE() << "cannot open the display";
        return;
    }
    const Window window = std::strtoul(windowId.c_str(), nullptr, 10);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

void ProgramRun::resizeTo(int width, int height) {
    xCommand("xdotool windowsize " + windowId + " " + std::to_string(width) + " " + std::to_string(height));
    pause(1.0);
}

Image ProgramRun::screenshotOfScreen() {
    const std::string path = outPath + "-screen.png";
    xCommand("import -window root -depth 8 PNG24:" + path);
    return loadPng(path);
}

Image ProgramRun::screenshot() {
    const std::string path = outPath + ".png";
    xCommand("import -window " + windowId + " -depth 8 PNG24:" + path);
    return loadPng(path);
}

Image ProgramRun::screenshotWhen(const std::function<bool(const Image&)>& shows, double seconds,
                                 bool wholeScreen) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        // On a loaded machine one shot of a large screen can outlast the
        // whole wait: the last shot is one begun after the wait is over.
        const bool late = std::chrono::steady_clock::now() >= deadline;
        Image shot = wholeScreen ? screenshotOfScreen() : screenshot();
        if (late || shows(shot))
            return shot;
        pause(0.2);
    }
}

Image ProgramRun::screenshotOnceChanged(const Image& from, Region region, int pixels, double seconds) {
    return screenshotWhen([&](const Image& shot) { return differingPixels(from, shot, region) > pixels; }, seconds);
}
