// Input translation into a real VelmContext with a recording drawable; keys
// by SDL's names, whose numbers are the program's key symbols, handed over
// by the platform's events as the event pump takes them.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/input.h"
#include "app/platform.h"
#include "support/recording.h"

namespace {
// Modifiers as SDL's events carry them.
constexpr int shift = KMOD_LSHIFT, control = KMOD_LCTRL, alt = KMOD_LALT, caps = KMOD_CAPS, numLock = KMOD_NUM;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));   // SDL's event queue, with no display
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        guiContext = new VelmContext(640, 480, "VERDANA.TTF", testPalette(velmWhite));
        // One pixel taller than the window: the top row is reported at y 480.
        drawable = new RecordingDrawable(guiContext, 0, 0, 640, 481);
        drawable->makeFocusable();
        guiContext->setFocus(drawable);
        SDL_SetModState(KMOD_NONE);
    }
    void TearDown() override {
        delete guiContext;
        SDL_Quit();
    }
    // Presses a key (a media library's symbol) whose event carries the
    // modifiers mods while SDL's state says global (by then SDL may have
    // moved on), as the event pump hands it over; returns what reached the
    // widgets.
    std::string press(int32_t sym, int mods = 0, int global = KMOD_NONE) {
        SDL_Event sent{};
        sent.type = SDL_KEYDOWN;
        sent.key.keysym.sym = static_cast<SDLKey>(sym);
        sent.key.keysym.mod = static_cast<SDLMod>(mods);
        SDL_PushEvent(&sent);
        SDL_SetModState(static_cast<SDLMod>(global));
        InputEvent event;
        EXPECT_TRUE(nextEvent(event));
        drawable->events.clear();
        handleKeyDown(guiContext, pointer, translateKey(event.key), event.modifiers);
        return drawable->last();
    }
    static std::string down(int key) { return "keyDown " + std::to_string(key) + " 0 0"; }
    void setMouse(int x, int y) { setMousePosition(pointer, x, y, windowHeight); }
    void button(int b, int state) { handleMouseButton(guiContext, pointer, b, state); }
    void motion(int x, int y, uint8_t buttons) {
        handleMouseMotion(guiContext, pointer, x, y, buttons != 0, windowHeight);
    }
    VelmContext* guiContext = nullptr;
    RecordingDrawable* drawable = nullptr;
    Pointer pointer;
    int32_t windowHeight = 480;
};
}  // namespace

// Each class of key as a widget receives it: keypad keys type what their
// twins on the main block type, navigation and function keys arrive as the
// library's codes, everything else as it came.
TEST_F(InputTest, EachClassOfKeyReachesTheWidgetsAsTheLibraryNamesIt) {
    const std::pair<SDLKey, SDLKey> twins[] = {
        {SDLK_KP_ENTER, SDLK_RETURN}, {SDLK_KP_PERIOD, SDLK_PERIOD},     {SDLK_KP_DIVIDE, SDLK_SLASH},
        {SDLK_KP_MULTIPLY, SDLK_ASTERISK}, {SDLK_KP_MINUS, SDLK_MINUS}, {SDLK_KP_PLUS, SDLK_PLUS},
        {SDLK_KP_EQUALS, SDLK_EQUALS}};
    for (const auto& [keypad, main] : twins)
        EXPECT_EQ(press(keypad), press(main)) << keypad;
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(press(SDLK_KP0 + digit), down('0' + digit)) << digit;
    EXPECT_EQ(press(SDLK_RETURN), down(velmKeyReturn));
    const std::pair<SDLKey, int32_t> navigation[] = {
        {SDLK_UP, velmKeyUp},         {SDLK_DOWN, velmKeyDown}, {SDLK_LEFT, velmKeyLeft},
        {SDLK_RIGHT, velmKeyRight},   {SDLK_INSERT, velmKeyInsert}, {SDLK_HOME, velmKeyHome},
        {SDLK_END, velmKeyEnd},       {SDLK_PAGEUP, velmKeyPageUp}, {SDLK_PAGEDOWN, velmKeyPageDown}};
    std::set<std::string> apart;   // no two keys look alike to a widget
    for (const auto& [key, code] : navigation) {
        EXPECT_EQ(press(key), down(code)) << key;
        apart.insert(press(key));
    }
    for (int n = 0; n < 12; ++n) {
        EXPECT_EQ(press(SDLK_F1 + n), down(velmKeyF1 + n)) << "F" << n + 1;
        apart.insert(press(SDLK_F1 + n));
    }
    EXPECT_EQ(apart.size(), std::size(navigation) + 12);
    EXPECT_EQ(press(SDLK_F1), down(256)) << "the library's published code, which hosts rely on";
    for (SDLKey same : {SDLK_ESCAPE, SDLK_TAB, SDLK_SPACE, SDLK_SCROLLOCK, SDLK_PAUSE})
        EXPECT_EQ(press(same), down(same)) << same;
}

TEST_F(InputTest, ShiftAndCapsLockMakeCapitalsWithoutInversion) {
    EXPECT_EQ(press(SDLK_a), down('a'));
    EXPECT_EQ(press(SDLK_h, 0, KMOD_LSHIFT), down('h')) << "Shift pressed after the key";
    EXPECT_EQ(press(SDLK_a, shift), down('A'));
    EXPECT_EQ(press(SDLK_a, caps), down('A'));
    EXPECT_EQ(press(SDLK_a, caps | shift), down('A'));
    EXPECT_EQ(press(SDLK_1, caps), down('1'));
    EXPECT_EQ(press(SDLK_1, shift), down('!'));
    EXPECT_EQ(press(SDLK_KP1, shift), down('!'));
    EXPECT_EQ(press(SDLK_QUOTE, shift), down('"'));
    EXPECT_EQ(press(SDLK_BACKQUOTE, shift), down('~'));
    EXPECT_EQ(press(SDLK_SLASH, shift), down('?'));
    EXPECT_EQ(press(SDLK_ESCAPE), down(27));
    SDL_SetModState(KMOD_LSHIFT);
    handleKeyUp(guiContext, pointer, translateKey(SDLK_a));
    EXPECT_EQ(drawable->last(), "keyUp 97 0 0") << "a release is not mapped";
}

TEST_F(InputTest, ModifierAndLockKeysNeverReachTheWidgets) {
    for (SDLKey key : {SDLK_NUMLOCK, SDLK_CAPSLOCK, SDLK_RSHIFT, SDLK_LSHIFT, SDLK_RCTRL,
                       SDLK_LCTRL, SDLK_RALT, SDLK_LALT, SDLK_RMETA, SDLK_LMETA, SDLK_LSUPER,
                       SDLK_RSUPER}) {
        EXPECT_EQ(press(key, shift), "") << key;
        handleKeyUp(guiContext, pointer, translateKey(key));
        EXPECT_TRUE(drawable->events.empty()) << key;
    }
    EXPECT_EQ(press(SDLK_SCROLLOCK), down(302));
}

TEST_F(InputTest, GetModifiersReadsTheModState) {
    SDL_SetModState(static_cast<SDLMod>(KMOD_RSHIFT | KMOD_LCTRL | KMOD_RALT | KMOD_LMETA | KMOD_CAPS));
    EXPECT_EQ(getModifiers(), 1 | 2 | 4 | 8 | 16);
    SDL_SetModState(KMOD_NUM);
    EXPECT_EQ(getModifiers(), 0);
}

// Control+Q ends the program with status 0, whatever Control's state by the
// time the event is handled and with Num Lock on; with other modifiers, or
// with Control pressed only after the Q, it is an ordinary key.
TEST_F(InputTest, ControlQEndsTheProgramWithStatusZero) {
    EXPECT_EXIT(press(SDLK_q, control), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(press(SDLK_q, control | numLock), ::testing::ExitedWithCode(0), "") << "with Num Lock on";
    EXPECT_EQ(press(SDLK_q, 0, KMOD_LCTRL), down('q'));
    EXPECT_EQ(press(SDLK_q, control | shift), down('Q'));
    EXPECT_EQ(press(SDLK_q, control | alt), down('q'));
    EXPECT_EQ(press(SDLK_q, control | caps), down('Q'));
    EXPECT_EQ(press(SDLK_w, control), down('w'));
}

// A scripted pointer: positions flipped to a bottom-left origin (with the
// window's height of the moment), buttons as the library numbers them, a
// wheel notch as two scrolls and no button, motion with a button held as a
// drag, and keys carrying the last position.
TEST_F(InputTest, PointerEventsReachTheWidgetsFlippedAndNumbered) {
    EXPECT_EQ(pointer.mouseX, 0);
    EXPECT_EQ(pointer.mouseY, 0);
    setMouse(0, 0);
    button(SDL_BUTTON_LEFT, SDL_PRESSED);
    EXPECT_EQ(drawable->last(), "mouseDown 0 0 480");
    setMouse(0, 479);
    button(SDL_BUTTON_LEFT, SDL_RELEASED);
    EXPECT_EQ(drawable->last(), "mouseUp 0 0 1");
    setMouse(5, 5);
    button(SDL_BUTTON_RIGHT, SDL_PRESSED);
    EXPECT_EQ(drawable->last(), "mouseDown 1 5 475");
    button(SDL_BUTTON_RIGHT, SDL_RELEASED);
    EXPECT_EQ(drawable->last(), "mouseUp 1 5 475");
    button(SDL_BUTTON_MIDDLE, SDL_PRESSED);
    EXPECT_EQ(drawable->last(), "mouseDown 2 5 475");
    button(SDL_BUTTON_MIDDLE, SDL_RELEASED);
    button(7, SDL_PRESSED);
    EXPECT_EQ(drawable->last(), "mouseDown 7 5 475");
    setMouse(20, 30);
    drawable->events.clear();
    button(SDL_BUTTON_WHEELUP, SDL_PRESSED);
    button(SDL_BUTTON_WHEELUP, SDL_RELEASED);
    EXPECT_EQ(drawable->events, std::vector<std::string>(2, "scrollWheel 0 20 450"));
    button(SDL_BUTTON_WHEELDOWN, SDL_PRESSED);
    EXPECT_EQ(drawable->last(), "scrollWheel 1 20 450");
    motion(10, 20, 0);
    EXPECT_EQ(drawable->last(), "mouseMove -1 10 460");
    motion(11, 20, SDL_BUTTON(SDL_BUTTON_RIGHT));
    EXPECT_EQ(drawable->last(), "mouseDrag -1 11 460");
    motion(100, 80, 0);
    EXPECT_EQ(pointer.mouseX, 100);
    EXPECT_EQ(pointer.mouseY, 400);
    windowHeight = 600;
    motion(10, 0, 0);
    EXPECT_EQ(pointer.mouseY, 600);
}
