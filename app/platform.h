// The platform layer: everything the program asks of the system it runs on,
// behind this one interface, one file per platform:
//   platform_sdl.cpp          the window, its GL context and events through
//                             SDL 1.2, the swap and the clock (the desktop)
//   platform_sdl_linux.cpp    Linux: the window's place (X11), the folders,
//                             the heap, the GL driver in leak-checking builds
//   platform_sdl_windows.cpp  Windows: the same through Win32
//   platform_sdl_main.cpp     the process entry SDL's start-up module calls
//   platform_web.cpp          the web: a canvas with WebGL, the browser's
//                             events and animation frames (Emscripten)
// Nothing else in the program includes SDL, X11 or windows.h. A new platform
// is a new file (or a new pair) implementing what is declared here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// ---- The window and its GL context ---------------------------------------

// Starts the video system; false when there is none (nothing is started).
bool startVideo();
// Asks for the context the program draws with: accelerated, a 24-bit depth
// buffer, double buffered, the swap waiting for the display's refresh. The
// answers are not checked.
void requestGlContext();
// The screen's size, asked before the window first opens; 0 by 0 when the
// system does not say.
void desktopSize(int& width, int& height);

enum class WindowMode {
    Opening,      // the first window: OpenGL, not resizable
    Resized,      // a new size reported by the window system
    FullScreen,   // the whole screen
};
// Gives the window a drawing area of width by height pixels in mode, a GL
// context current; false when the system refuses (windowError says why).
// Where the system loses the GL's objects with a mode change (Windows),
// the caller makes them again.
bool setWindowMode(int width, int height, WindowMode mode);
std::string windowError();
void setWindowCaption(const char* caption);
// Key repeat (first after 500 ms, then every 30 ms), and the characters
// keys type in the keyboard's own layout.
void setUpKeyboard();
// Whether the buffer swap waits for the display's refresh, as asked.
bool swapWaitsForDisplay();
// Shows the frame drawn into the back buffer.
void swapBuffers();
// Shuts the video system down (the last thing the program does).
void stopVideo();

// ---- Events ---------------------------------------------------------------

// One event of the window system, in the program's terms.
struct InputEvent {
    // GraphicsRestored: the GL context was lost and is back (a browser's
    // WebGL), with nothing of the program's in it.
    enum class Kind { KeyDown, KeyUp, PointerMoved, ButtonDown, ButtonUp, Quit, Resized, Command, GraphicsRestored,
                      Other };
    Kind kind = Kind::Other;
    int32_t key = 0;         // the key's symbol, numbered as in app/keys.h
    int32_t modifiers = 0;   // the widget library's modifier bits the event carried
    int32_t typed = 0;       // the character the key types in the keyboard's layout; 0 when unknown
    int x = 0, y = 0;        // the pointer, pixels from the drawing area's top left
    int button = 0;          // 1 left, 2 middle, 3 right, 4 and 5 the wheel
    bool buttonsHeld = false;   // a move with a button held (a drag)
    int width = 0, height = 0;  // Resized: the drawing area's new size
    int command = 0;            // Command: what a control of the platform's asks (app/commands.h)
};
// The next waiting event; false when none waits.
bool nextEvent(InputEvent& event);
// The modifier keys held now, as the widget library's bits (shift 1,
// control 2, alt 4, meta 8, caps lock 16).
int32_t modifiersNow();

// ---- Time and the frame loop --------------------------------------------------

// Seconds on a monotonic clock, microsecond resolution.
double now();
// Calls frame(context) for ever, frame after frame: in a loop of its own
// on the desktop, on the display's frames in a browser. Never returns.
[[noreturn]] void runFrames(void (*frame)(void*), void* context);
// Where the display calls each frame (a browser): the seconds between this
// frame and the one before, at most a quarter of a second, so that a hidden
// page does not make the animation jump. Negative where frames come as fast
// as the program draws them (the desktop): the program measures its own.
double displayFrameStep();
// Seconds the frame just run spent on work that is no part of the
// animation (a picture saved, the labels painted again): where the display
// times the frames, the next step leaves them out, as the program's own
// timing does elsewhere.
void discountNextStep(double seconds);

// ---- What the program shows, for controls around it ----------------------

struct ProgramState {
    bool labels = false, paused = false, fullScreen = false, help = false;
    bool widgetFocused = false;     // a widget has the keyboard focus
    double animationSeconds = 0;    // the animation's clock: the sum of its steps
    std::string notice;             // the notice shown over the scene, if any
    int tourStep = -1;              // the feature the tour shows (assets' tourSteps), -1 outside it
};
// Called after every frame; a platform with controls of its own around the
// drawing area (the web page's buttons) shows it. Nothing on the desktop.
void showProgramState(const ProgramState& state);
// Whether the program may end itself (Control+Q): not a web page.
bool programCanQuit();
// What a platform's own controls around the drawing area (the web page's
// buttons and messages) need of the program, given once at start: its
// commands by name, and the controls' texts in the learner's language.
struct PlatformControls {
    std::vector<std::pair<std::string, int>> commands;       // name, Command (app/commands.h)
    std::vector<std::pair<std::string, std::string>> texts;  // the control's name, its text
};
void offerControls(const PlatformControls& controls);

// ---- The window's place -----------------------------------------------------

// Where the window stands on screen and the size of its drawing area: left
// and top are the outer corner of the window manager's frame (of the window
// itself without one), on the root window.
struct WindowPlacement {
    bool known = false;
    int left = 0, top = 0, width = 0, height = 0;
};

// Reads the program's window's placement; unknown where it cannot be read.
WindowPlacement readWindowPlacement();
// Puts the window back where it stood, with that drawing area, so that it
// does not wander under a reparenting window manager; does nothing when the
// placement is unknown.
void restoreWindowPlacement(const WindowPlacement& placement);

// ---- The process ------------------------------------------------------------

// Sets up the C library's heap for the frame loop: a block of 64 KiB or more
// never makes the heap grow. It is served from memory the heap already has
// free (a gap, or its top) when that holds it, and otherwise mapped on its
// own and unmapped when freed. The GL driver allocates and frees such blocks
// every frame, between small allocations that live on; carved from newly
// grown heap they leave it fragmented and growing for minutes.
void configureHeap();
// In a leak-checking build, marks the loaded OpenGL driver modules as never
// to be unloaded: the GL library unloads its driver at exit, and the leak
// checker could then not name the driver's own allocations. Elsewhere it
// does nothing.
void keepGlDriverLoaded();

// ---- What the system says --------------------------------------------------

// The folder the program file is in.
std::string programFolder();
// Makes the working directory the one the pictures are in, where the
// platform has no launcher to do so (Windows: the program's folder).
void findPicturesBesideProgram();
// The user's pictures folder: what `xdg-user-dir PICTURES` names (when it
// names a folder other than home), else ~/Pictures when it exists, else the
// home folder, else the working directory; on Windows the known Pictures
// folder, else the profile, else the working directory. Empty when there
// is none.
std::string picturesFolder();
// The language the system's settings name ("es_ES"), for a platform whose
// programs are not told it by the environment; empty elsewhere.
std::string systemLanguage();
// Hands over a file the user asked for, just saved at path: in a browser it
// is downloaded, where the page may start a download (not in a frame whose
// sandbox forbids it), and removed; elsewhere it stays where it was saved.
// Offered: handed to the browser in another site's frame, whose sandbox
// the page cannot read.
enum class SavedFile { KeptThere, Downloaded, NotDownloaded, Offered };
SavedFile handOverSavedFile(const std::string& path);
// Folders to look for fonts in where fontconfig does not (Windows, the web).
std::vector<std::string> fontFolders();
// Shows why the program cannot start where its messages on the standard
// streams may go unseen: a message box on Windows (a program started by a
// double click has no console); nothing elsewhere.
void alertUser(const std::string& message);
