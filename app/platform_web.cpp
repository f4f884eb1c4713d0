// Platform layer, the web (Emscripten): the drawing area is the page's
// canvas with a WebGL 1 context; events come from the browser's handlers on
// the canvas, frames from its animation frames, and the files live in memory.
#include "app/platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/keys.h"
#include "gl11/gl11.h"
#include "velmkit/velm_base.h"

namespace {
constexpr const char* canvas = "#canvas";
// The longest animation step: a page hidden for a while must not jump, and
// a slow machine's frames (a quarter of a second) still keep time.
constexpr double longestStep = 0.25;
// The program's own full-screen key, which the browser grants only inside
// the handler of the user's key press or click.
constexpr int32_t keyF11 = keys::f1 + 10;
constexpr const char* downloads = "/downloads";

std::deque<InputEvent> waiting;
std::vector<int32_t> keysDown;   // for their releases when the canvas loses the keyboard
int32_t lastModifiers = 0;
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
std::string failure;
int bufferWidth = 0, bufferHeight = 0;
double lastFrameTime = -1, frameStep = 0;
double discount = 0;        // seconds the last frame spent outside the animation
bool contextLost = false;   // no frames are run until the browser gives it back
std::vector<int32_t> keysTaken;   // keys whose press asked the browser for full screen
ProgramState shown;
bool shownYet = false;

int32_t modifierBits(EM_BOOL shift, EM_BOOL control, EM_BOOL alt, EM_BOOL meta) {
    return (shift ? velmModShift : 0) | (control ? velmModControl : 0) | (alt ? velmModAlt : 0) |
           (meta ? velmModMeta : 0);
}

// The key in the media library's numbers: letters as the keyboard's layout
// names them, every other key by its place (as on a US keyboard).
int32_t keySymbol(const EmscriptenKeyboardEvent& e) {
    const std::string key = e.key, code = e.code;
    if (key.size() == 1 && std::isalpha(static_cast<unsigned char>(key[0])))
        return std::tolower(static_cast<unsigned char>(key[0]));
    if (code.size() == 4 && code.compare(0, 3, "Key") == 0)
        return std::tolower(static_cast<unsigned char>(code[3]));
    if (code.size() == 6 && code.compare(0, 5, "Digit") == 0)
        return code[5];
    if (code.size() == 7 && code.compare(0, 6, "Numpad") == 0 && std::isdigit(static_cast<unsigned char>(code[6])))
        return keys::keypad0 + (code[6] - '0');
    if (code.size() >= 2 && code[0] == 'F' && std::isdigit(static_cast<unsigned char>(code[1])))
        return keys::f1 + std::atoi(code.c_str() + 1) - 1;
    static const struct {
        const char* code;
        int32_t symbol;
    } named[] = {
        {"Enter", keys::returnKey}, {"NumpadEnter", keys::keypadEnter}, {"Escape", keys::escape},
        {"Tab", 9}, {"Space", ' '}, {"Backspace", 8}, {"Delete", 127}, {"Slash", keys::slash},
        {"Minus", '-'}, {"Equal", '='}, {"Comma", ','}, {"Period", '.'}, {"Semicolon", ';'},
        {"Quote", '\''}, {"Backquote", '`'}, {"BracketLeft", '['}, {"BracketRight", ']'},
        {"Backslash", '\\'}, {"ArrowUp", keys::up}, {"ArrowDown", keys::down}, {"ArrowRight", keys::right},
        {"ArrowLeft", keys::left}, {"Insert", keys::insert}, {"Home", keys::home}, {"End", keys::end},
        {"PageUp", keys::pageUp}, {"PageDown", keys::pageDown}, {"NumLock", keys::numLock},
        {"CapsLock", keys::capsLock}, {"ScrollLock", keys::scrollLock}, {"ShiftRight", keys::rightShift},
        {"ShiftLeft", 304}, {"ControlRight", 305}, {"ControlLeft", 306}, {"AltRight", 307}, {"AltLeft", 308},
        {"MetaRight", 309}, {"MetaLeft", 310},
        {"NumpadDecimal", keys::keypadPeriod}, {"NumpadDivide", keys::keypadDivide},
        {"NumpadMultiply", keys::keypadMultiply}, {"NumpadSubtract", keys::keypadMinus},
        {"NumpadAdd", keys::keypadPlus}, {"NumpadEqual", keys::keypadEquals},
    };
    for (const auto& entry : named)
        if (code == entry.code)
            return entry.symbol;
    return 0;
}

// The one character a key types in the keyboard's layout; 0 for none.
int32_t typedCharacter(const char* key) {
    const auto* s = reinterpret_cast<const unsigned char*>(key);
    const size_t length = std::strlen(key);
    if (length == 1)
        return s[0];
    if (length == 2 && (s[0] & 0xE0) == 0xC0)
        return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    if (length == 3 && (s[0] & 0xF0) == 0xE0)
        return ((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
    return 0;
}

void push(InputEvent::Kind kind, int32_t key = 0) {
    InputEvent event;
    event.kind = kind;
    event.key = key;
    event.modifiers = lastModifiers;
    waiting.push_back(event);
}

// The browser's full screen for the canvas, asked for or left inside the
// handler of the user's press (the only place a browser grants it). The
// program follows only when the browser has changed it (onFullScreen): a
// request refused (a frame without allow="fullscreen", a browser without
// full screen for a canvas) leaves everything as it was.
void toggleBrowserFullScreen() {
    EM_ASM({
        const canvas = document.getElementById('canvas');
        if (document.fullscreenElement)
            document.exitFullscreen().catch(() => {});
        else if (canvas.requestFullscreen && document.fullscreenEnabled !== false)
            canvas.requestFullscreen().catch(() => {});
    });
}

// The keys the program takes for full screen (F11 without Control, Alt or
// Meta; Alt+Enter): here they go to the browser.
bool asksFullScreen(int32_t symbol, int32_t modifiers) {
    const int32_t foreign = velmModControl | velmModAlt | velmModMeta;
    return (symbol == keyF11 && (modifiers & foreign) == 0) ||
           (symbol == keys::returnKey && (modifiers & foreign) == velmModAlt);
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    lastModifiers = modifierBits(e->shiftKey, e->ctrlKey, e->altKey, e->metaKey);
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    const int32_t typed = typedCharacter(e->key);
    int32_t symbol = keySymbol(*e);
    // A key of a layout's own (Brazil's IntlRo, "/" and "?") goes on as
    // the character it types, as the desktop's window system hands it.
    if (symbol == 0 && typed > ' ' && typed < 127)
        symbol = typed;
    // Tab leaves the canvas for the page once a widget has the focus.
    if (symbol == 9 && shown.widgetFocused && down && std::find(keysDown.begin(), keysDown.end(), 9) == keysDown.end())
        return EM_FALSE;
    if (symbol == 0)
        return EM_FALSE;
    const auto taken = std::find(keysTaken.begin(), keysTaken.end(), symbol);
    if (down && asksFullScreen(symbol, lastModifiers)) {
        if (!e->repeat)
            toggleBrowserFullScreen();
        if (taken == keysTaken.end())
            keysTaken.push_back(symbol);
        return EM_TRUE;
    }
    if (!down && taken != keysTaken.end()) {
        keysTaken.erase(taken);
        return EM_TRUE;
    }
    InputEvent event;
    event.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
    event.key = symbol;
    event.modifiers = lastModifiers;
    event.typed = down ? typed : 0;
    waiting.push_back(event);
    const auto held = std::find(keysDown.begin(), keysDown.end(), symbol);
    if (down && held == keysDown.end())
        keysDown.push_back(symbol);
    else if (!down && held != keysDown.end())
        keysDown.erase(held);
    // The browser's own shortcuts (with Control or Meta) stay the browser's.
    return (lastModifiers & (velmModControl | velmModMeta)) == 0;
}

// Pixels of the drawing buffer for a place on the canvas as laid out.
void toBuffer(const EmscriptenMouseEvent& e, int& x, int& y) {
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size(canvas, &cssWidth, &cssHeight);
    x = cssWidth > 0 ? static_cast<int>(e.targetX * bufferWidth / cssWidth) : static_cast<int>(e.targetX);
    y = cssHeight > 0 ? static_cast<int>(e.targetY * bufferHeight / cssHeight) : static_cast<int>(e.targetY);
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* e, void*) {
    lastModifiers = modifierBits(e->shiftKey, e->ctrlKey, e->altKey, e->metaKey);
    InputEvent event;
    toBuffer(*e, event.x, event.y);
    event.modifiers = lastModifiers;
    event.button = e->button + 1;   // the browser counts from 0, left, middle, right
    switch (type) {
    case EMSCRIPTEN_EVENT_MOUSEMOVE:
        event.kind = InputEvent::Kind::PointerMoved;
        event.buttonsHeld = e->buttons != 0;
        break;
    case EMSCRIPTEN_EVENT_MOUSEDOWN: event.kind = InputEvent::Kind::ButtonDown; break;
    case EMSCRIPTEN_EVENT_MOUSEUP: event.kind = InputEvent::Kind::ButtonUp; break;
    case EMSCRIPTEN_EVENT_DBLCLICK:
        // A double click asks for full screen, as F11 does.
        toggleBrowserFullScreen();
        return EM_TRUE;
    default: return EM_FALSE;
    }
    waiting.push_back(event);
    return EM_FALSE;   // the page keeps its own handling (focus on a click)
}

// The wheel goes to the program and scrolls the page around the canvas
// still (no widget uses it).
EM_BOOL onWheel(int, const EmscriptenWheelEvent* e, void*) {
    if (e->deltaY == 0)
        return EM_FALSE;
    InputEvent event;
    toBuffer(e->mouse, event.x, event.y);
    event.button = e->deltaY < 0 ? keys::wheelUp : keys::wheelDown;
    event.kind = InputEvent::Kind::ButtonDown;
    waiting.push_back(event);
    event.kind = InputEvent::Kind::ButtonUp;
    waiting.push_back(event);
    return EM_FALSE;
}

// Keys still held when the canvas loses the keyboard are released.
EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    for (int32_t key : keysDown)
        push(InputEvent::Kind::KeyUp, key);
    keysDown.clear();
    lastModifiers = 0;
    return EM_FALSE;
}

// The program follows the browser's full screen: it goes full screen when
// the browser has granted it, and leaves it as with Escape when the browser
// has left it (by its own Escape too).
EM_BOOL onFullScreen(int, const EmscriptenFullscreenChangeEvent* e, void*) {
    if (e->isFullscreen && !shown.fullScreen) {
        InputEvent event;
        event.kind = InputEvent::Kind::Command;
        event.command = static_cast<int>(Command::ToggleFullScreen);
        waiting.push_back(event);
    } else if (!e->isFullscreen && shown.fullScreen) {
        push(InputEvent::Kind::KeyDown, keys::escape);
        push(InputEvent::Kind::KeyUp, keys::escape);
    }
    return EM_FALSE;
}

// The browser took the WebGL context away (its graphics restarted, a
// device woke from sleep): no frame is run, so the animation's clock stands
// still, until it gives the context back. Refusing the event's default is
// what lets the browser give it back.
EM_BOOL onContextLost(int, const void*, void*) {
    contextLost = true;
    return EM_TRUE;
}

// The context is back, empty: the subset's state goes into it, and the
// program makes its own again.
EM_BOOL onContextRestored(int, const void*, void*) {
    emscripten_webgl_make_context_current(context);
    gl11::Reset();
    contextLost = false;
    lastFrameTime = -1;   // the first step after is none
    push(InputEvent::Kind::GraphicsRestored);
    return EM_TRUE;
}

// A size of the canvas as the page lays it out, in device pixels, that the
// drawing buffer does not have yet becomes a Resized event.
void checkLaidOutSize() {
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size(canvas, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int w = static_cast<int>(std::lround(cssWidth * ratio)), h = static_cast<int>(std::lround(cssHeight * ratio));
    if (w <= 0 || h <= 0 || (w == bufferWidth && h == bufferHeight))
        return;
    InputEvent event;
    event.kind = InputEvent::Kind::Resized;
    event.width = w;
    event.height = h;
    waiting.push_back(event);
}

struct FrameLoop {
    void (*frame)(void*);
    void* context;
};

EM_BOOL onAnimationFrame(double time, void* loop) {
    if (contextLost) {
        lastFrameTime = -1;
        return EM_TRUE;
    }
    const double between = (time - lastFrameTime) / 1000.0 - discount;
    frameStep = lastFrameTime < 0 ? 0.0 : std::min(longestStep, std::max(0.0, between));
    lastFrameTime = time;
    discount = 0;
    const FrameLoop& run = *static_cast<FrameLoop*>(loop);
    run.frame(run.context);
    return EM_TRUE;
}
}  // namespace

// The page's buttons ask for the program's commands (app/commands.h, by the
// numbers offerControls gave the page).
extern "C" EMSCRIPTEN_KEEPALIVE void corvaneCommand(int command) {
    InputEvent event;
    event.kind = InputEvent::Kind::Command;
    event.command = command;
    waiting.push_back(event);
}

// The page's full screen button: asked of the browser inside the click.
extern "C" EMSCRIPTEN_KEEPALIVE void corvaneFullScreen() { toggleBrowserFullScreen(); }

// The animation's clock, for the page (and its tests).
extern "C" EMSCRIPTEN_KEEPALIVE double corvaneAnimationSeconds() { return shown.animationSeconds; }

bool startVideo() { return true; }

void requestGlContext() {}

void desktopSize(int& width, int& height) {
    const double ratio = emscripten_get_device_pixel_ratio();
    width = static_cast<int>(std::lround(EM_ASM_DOUBLE({ return screen.width; }) * ratio));
    height = static_cast<int>(std::lround(EM_ASM_DOUBLE({ return screen.height; }) * ratio));
}

bool setWindowMode(int width, int height, WindowMode mode) {
    if (context == 0) {
        EmscriptenWebGLContextAttributes attributes;
        emscripten_webgl_init_context_attributes(&attributes);
        attributes.alpha = EM_FALSE;
        attributes.depth = EM_TRUE;
        attributes.stencil = EM_FALSE;
        attributes.antialias = EM_FALSE;
        attributes.majorVersion = 1;
        context = emscripten_webgl_create_context(canvas, &attributes);
        if (context <= 0) {
            context = 0;
            failure = "this browser gives the page no WebGL";
            return false;
        }
        emscripten_webgl_make_context_current(context);
        emscripten_set_keydown_callback(canvas, nullptr, EM_TRUE, onKey);
        emscripten_set_keyup_callback(canvas, nullptr, EM_TRUE, onKey);
        emscripten_set_mousedown_callback(canvas, nullptr, EM_TRUE, onMouse);
        emscripten_set_mouseup_callback(canvas, nullptr, EM_TRUE, onMouse);
        emscripten_set_mousemove_callback(canvas, nullptr, EM_TRUE, onMouse);
        emscripten_set_dblclick_callback(canvas, nullptr, EM_TRUE, onMouse);
        emscripten_set_wheel_callback(canvas, nullptr, EM_TRUE, onWheel);
        emscripten_set_blur_callback(canvas, nullptr, EM_TRUE, onBlur);
        emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onFullScreen);
        emscripten_set_webglcontextlost_callback(canvas, nullptr, EM_TRUE, onContextLost);
        emscripten_set_webglcontextrestored_callback(canvas, nullptr, EM_TRUE, onContextRestored);
        // A press keeps the pointer, as the desktop's window system does:
        // its release is seen even outside the canvas.
        EM_ASM({
            const canvas = document.getElementById('canvas');
            canvas.addEventListener('pointerdown', (e) => {
                if (e.pointerType === 'mouse' && canvas.setPointerCapture)
                    canvas.setPointerCapture(e.pointerId);
            });
        });
    }
    // Leaving full screen by the program's keys: the browser's too.
    if (mode != WindowMode::FullScreen)
        EM_ASM({ if (document.fullscreenElement) document.exitFullscreen(); });
    emscripten_set_canvas_element_size(canvas, width, height);
    bufferWidth = width;
    bufferHeight = height;
    return true;
}

std::string windowError() { return failure; }

void setWindowCaption(const char*) {}   // the page has its own title

void setUpKeyboard() {}   // the browser repeats keys and tells what they type

bool swapWaitsForDisplay() { return true; }

void swapBuffers() {}   // the browser shows the canvas when the frame returns

void stopVideo() {}

bool nextEvent(InputEvent& event) {
    if (waiting.empty())
        checkLaidOutSize();
    if (waiting.empty())
        return false;
    event = waiting.front();
    waiting.pop_front();
    return true;
}

int32_t modifiersNow() { return lastModifiers; }

double now() { return emscripten_get_now() / 1000.0; }

void runFrames(void (*frame)(void*), void* context) {
    static FrameLoop loop;
    loop = {frame, context};
    emscripten_request_animation_frame_loop(onAnimationFrame, &loop);
    emscripten_exit_with_live_runtime();
}

double displayFrameStep() { return frameStep; }

void showProgramState(const ProgramState& state) {
    const bool changed = !shownYet || state.labels != shown.labels || state.paused != shown.paused ||
                         state.fullScreen != shown.fullScreen || state.help != shown.help ||
                         state.notice != shown.notice || state.tourStep != shown.tourStep;
    shown = state;
    shownYet = true;
    if (changed)
        EM_ASM({ if (Module.corvaneShow) Module.corvaneShow($0, $1, $2, $3, UTF8ToString($4), $5); }, state.labels,
               state.paused, state.fullScreen, state.help, state.notice.c_str(), state.tourStep);
}

bool programCanQuit() { return false; }

WindowPlacement readWindowPlacement() { return {}; }

void restoreWindowPlacement(const WindowPlacement&) {}

void configureHeap() {}

void keepGlDriverLoaded() {}

std::string programFolder() { return "/"; }

// Where they are not, the start-up says which it could not read.
void findPicturesBesideProgram() { (void)chdir("/data"); }

std::string picturesFolder() {
    mkdir(downloads, 0755);
    return downloads;
}

SavedFile handOverSavedFile(const std::string& path) {
    const int started = EM_ASM_INT({
        const path = UTF8ToString($0);
        const bytes = FS.readFile(path);
        FS.unlink(path);
        const may = Module.corvaneCanDownload ? Module.corvaneCanDownload() : 1;
        if (may === 0)
            return 0;
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([bytes], {type: 'image/png'}));
        link.download = path.substring(path.lastIndexOf('/') + 1);
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 10000);
        return may;
    }, path.c_str());
    return started == 0 ? SavedFile::NotDownloaded : started == 1 ? SavedFile::Downloaded : SavedFile::Offered;
}

std::string systemLanguage() { return {}; }   // the page sets LANGUAGE from the browser's list

std::vector<std::string> fontFolders() { return {"/fonts"}; }

void alertUser(const std::string& message) {
    EM_ASM({ if (Module.corvaneAlert) Module.corvaneAlert(UTF8ToString($0)); }, message.c_str());
}

void discountNextStep(double seconds) { discount = seconds; }

// The page's buttons and messages: Module.corvaneCommands (name to number)
// and Module.corvaneTexts (name to text), then the page's corvaneControls().
void offerControls(const PlatformControls& controls) {
    EM_ASM({ Module.corvaneCommands = {}; Module.corvaneTexts = {}; });
    for (const auto& [name, command] : controls.commands)
        EM_ASM({ Module.corvaneCommands[UTF8ToString($0)] = $1; }, name.c_str(), command);
    for (const auto& [name, text] : controls.texts)
        EM_ASM({ Module.corvaneTexts[UTF8ToString($0)] = UTF8ToString($1); }, name.c_str(), text.c_str());
    EM_ASM({ if (Module.corvaneControls) Module.corvaneControls(); });
}
