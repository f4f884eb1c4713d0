// The program's frame loop and event pump under a real GL window, events
// pushed into SDL's queue as the window system would: the classroom keys,
// pause, the picture of the window, the panel's notices, resizing.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "app/classroom.h"
#include "app/platform.h"
#include "app/program.h"
#include "animation/vent_cone.h"
#include "app/shell.h"
#include "app/window.h"
#include "app/startup_stages.h"
#include "app/timers.h"
#include "animation/sprites.h"
#include "assets/feature_labels.h"
#include "assets/image.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "render/plate.h"
#include "support/environment.h"
#include "support/feedback.h"
#include "support/program_fixture.h"
#include "support/recording.h"
#include "support/temp_path.h"
#include "velmkit/velm_checkbox.h"

namespace {
class ProgramLoopTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        // A widget with the keyboard focus sees every key that reaches the library.
        widget = new RecordingDrawable(program.guiContext, 300, 200, 10, 10);
        widget->makeFocusable();
        program.guiContext->setFocus(widget);
        program.clock.framesPerSecond = 60;   // a step of 1/60 s from the first frame
    }
    void key(SDLKey sym, SDLMod mod = KMOD_NONE) {
        for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event event{};
            event.type = type;
            event.key.keysym.sym = sym;
            event.key.keysym.mod = mod;
            SDL_PushEvent(&event);
        }
        pumpEvents(program);
    }
    // What the animation stands at.
    std::vector<float> state() const {
        std::vector<float> s = {program.animation.theArrow->phase, program.scene.thePlates->flowOffset};
        for (const Vent* v : program.animation.vents)
            s.insert(s.end(), {v->idleTime, v->activeTime});
        return s;
    }
    // The key events that reached the widget (the real pointer moves too).
    std::vector<std::string> keysSeen() const {
        std::vector<std::string> keys;
        for (const std::string& e : widget->events)
            if (e.rfind("key", 0) == 0)
                keys.push_back(e);
        return keys;
    }
    RecordingDrawable* widget = nullptr;
};
}  // namespace

namespace {
std::vector<std::string> stagesSeen;
void recordStage(const char* stage) { stagesSeen.push_back(stage); }

std::vector<float> rgba(const float* colour) { return std::vector<float>(colour, colour + 4); }
}  // namespace

// What the start-up leaves: its stages reported in order, the panel drawn
// before the scene is built, the window's viewport, and the panel in its own
// colours.
TEST(ProgramBuild, StagesInOrderTheWholeWindowAndThePanelsColours) {
    stagesSeen.clear();
    setStartupStageHook(recordStage);
    Program program;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(CORVANE_DATA_DIR), 0);
    buildProgram(program, nullptr);
    ASSERT_EQ(chdir(previous), 0);
    setStartupStageHook(nullptr);
    EXPECT_EQ(stagesSeen, std::vector<std::string>({"video", "textures", "widgets", "first_frame", "scene"}));
    EXPECT_FALSE(program.guiContext->redrawRequested) << "the panel is drawn while the scene is built";
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), std::vector<GLint>({0, 0, 640, 480}));
    const VelmPalette& p = program.guiContext->getPalette();
    EXPECT_EQ(rgba(p.background), std::vector<float>({0.05f, 0.1f, 0.2f, 1}));
    EXPECT_EQ(rgba(p.face), std::vector<float>({0.1f, 0.2f, 0.2f, 1}));
    EXPECT_EQ(rgba(p.shadow), std::vector<float>({0.1f, 0.1f, 0.05f, 1}));
    EXPECT_EQ(rgba(p.frame), std::vector<float>({0.2f, 0.2f, 0.3f, 1}));
    EXPECT_EQ(rgba(p.label), std::vector<float>({0.8f, 0.8f, 0.8f, 1}));
    EXPECT_EQ(rgba(p.mark), rgba(velmWhite));
    EXPECT_EQ(rgba(p.outline), rgba(velmBlack));
    EXPECT_EQ(rgba(p.accent), std::vector<float>({0.2f, 0.5f, 0.7f, 1}));
    EXPECT_EQ(rgba(p.disabled), std::vector<float>({0.2f, 0.2f, 0.2f, 1}));
    freeProgram(program);
}

TEST_F(ProgramLoopTest, ClassroomKeysActAndNeverReachTheWidgets) {
    key(SDLK_p);
    EXPECT_TRUE(program.classroom.paused);
    ASSERT_NE(program.classroom.panel, nullptr);
    EXPECT_TRUE(program.classroom.panel->pausedShown());
    key(SDLK_F1);
    EXPECT_TRUE(program.classroom.panel->helpShown());
    key(SDLK_SLASH, KMOD_LSHIFT);   // "?"
    EXPECT_FALSE(program.classroom.panel->helpShown());
    key(SDLK_p);
    EXPECT_FALSE(program.classroom.paused);
    EXPECT_FALSE(program.classroom.panel->pausedShown());
    // The tour clears the labels while it runs and gives them back after it.
    program.theInterface->featuresCheckBox->toggle();
    key(SDLK_RIGHT);
    EXPECT_EQ(program.classroom.tourStep, 0);
    EXPECT_FALSE(program.theInterface->highlightFeatures);
    EXPECT_TRUE(frameParts(program).highlightFeatures) << "the step's label is drawn";
    key(SDLK_LEFT);
    EXPECT_EQ(program.classroom.tourStep, -1) << "past the first feature";
    EXPECT_TRUE(program.theInterface->highlightFeatures);
    program.theInterface->featuresCheckBox->toggle();
    EXPECT_EQ(keysSeen(), std::vector<std::string>());
    // Other keys still reach the library, presses and releases.
    key(SDLK_ESCAPE);
    EXPECT_EQ(keysSeen(), std::vector<std::string>({"keyDown 27 0 0", "keyUp 27 0 0"}));
}

// The pointer as the window system reports it (origin top left): resting
// on the logo shows the credits, a click on the check box switches the
// features, a held button makes moves drags.
TEST_F(ProgramLoopTest, PointerEventsReachThePanelFlippedToItsOrigin) {
    auto pointer = [&](Uint8 type, int x, int y, Uint8 buttonOrState) {
        SDL_Event event{};
        event.type = type;
        if (type == SDL_MOUSEMOTION) {
            event.motion.x = static_cast<Uint16>(x);
            event.motion.y = static_cast<Uint16>(y);
            event.motion.state = buttonOrState;
        } else {
            event.button.x = static_cast<Uint16>(x);
            event.button.y = static_cast<Uint16>(y);
            event.button.button = buttonOrState;
            event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        }
        SDL_PushEvent(&event);
        pumpEvents(program);
    };
    pointer(SDL_MOUSEMOTION, 515, 435, 0);   // the logo, near the bottom
    EXPECT_TRUE(program.theInterface->creditsVisible);
    pointer(SDL_MOUSEMOTION, 320, 120, 0);
    EXPECT_FALSE(program.theInterface->creditsVisible);
    pointer(SDL_MOUSEBUTTONDOWN, 18, 56, SDL_BUTTON_LEFT);   // the check box, near the top
    pointer(SDL_MOUSEBUTTONUP, 18, 56, SDL_BUTTON_LEFT);
    EXPECT_TRUE(program.theInterface->highlightFeatures);
    widget->events.clear();
    pointer(SDL_MOUSEMOTION, 305, 275, SDL_BUTTON(SDL_BUTTON_LEFT));
    EXPECT_EQ(widget->last(), "mouseDrag -1 305 205");
}

namespace {
int timerFired = 0;
void countTimer(int32_t value) { timerFired += value; }
}  // namespace

// Each frame gives the widgets' timers the time that has passed.
TEST_F(ProgramLoopTest, FramesServeTheTimers) {
    timerFired = 0;
    addTimer(0, countTimer, 1);
    runFrame(program);
    runFrame(program);
    EXPECT_EQ(timerFired, 1);
}

TEST_F(ProgramLoopTest, PausedNothingMovesAndResumingGoesOnFromThere) {
    runFrame(program);   // the first update schedules the vents
    const auto before = state();
    key(SDLK_p);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(runFrame(program), 0.0f);
    EXPECT_EQ(state(), before);
    key(SDLK_p);
    const float step = runFrame(program);
    EXPECT_GT(step, 0.0f);
    const auto after = state();
    EXPECT_NEAR(after[0] - before[0], 0.5f * step, 1e-5f) << "the arrow goes on by one step, no jump";
    EXPECT_NEAR(before[1] - after[1], 0.1f * step, 1e-5f);
}

namespace {
// A clock no load can disturb, for the frame loop: each reading is a
// sixtieth of a second after the one before, and the first reading after
// the desktop's folder tool has run (and left its mark) is a whole second
// later, as if the tool had taken that long.
std::string toolsMark;
double steadyTime = 0;
bool toolSeen = false;
double steadyClock() {
    steadyTime += 1.0 / 60;
    if (!toolSeen && std::filesystem::exists(toolsMark)) {
        toolSeen = true;
        steadyTime += 1.0;
    }
    return steadyTime;
}
}  // namespace

// F12 writes the frame as shown to a new file in the pictures folder (here
// ~/Pictures; on Windows the known folder the suite names), as a PNG that
// reads back equal to it, says where, and costs the animation nothing: the
// steps over it are ordinary ones. A picture that cannot be written says why.
TEST_F(ProgramLoopTest, FTwelveSavesTheFrameAsShownAndSaysWhere) {
    const std::string home = freshFolder("home"), bin = freshFolder("bin");
    std::filesystem::create_directories(home + "/Pictures");
    setEnvironment("HOME", home);
    toolsMark = bin + "/tool ran";
    std::ofstream(bin + "/xdg-user-dir") << "#!/bin/sh\ntouch \"" << toolsMark << "\"\necho \"$HOME/Pictures\"\n";
    std::filesystem::permissions(bin + "/xdg-user-dir", std::filesystem::perms::owner_all);
    setEnvironment("PATH", bin + ":/usr/bin:/bin");
    const std::string folder = picturesFolder();
    std::filesystem::remove(toolsMark);
    // Among the pictures, as the program runs: where a mode change loses
    // the GL's objects (Windows) they are read again.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(CORVANE_DATA_DIR);
    program.readClock = steadyClock;
    program.lastTime = steadyClock();
    for (int i = 0; i < 2 * framesPerEstimate; ++i)
        runFrame(program);
    const float ordinary = runFrame(program);
    setPaused(program, true);
    composeFrame(frameParts(program));
    const Image shown = readFrame(640, 480);
    key(SDLK_F12);
    EXPECT_TRUE(keysSeen().empty());
    runFrame(program);
    setPaused(program, false);
    // The tool's second falls outside every frame's drawing time, so the
    // steps over the save are the ordinary step to the last bit.
    for (int i = 0; i < 2 * framesPerEstimate; ++i)
        EXPECT_EQ(runFrame(program), ordinary) << "a step over the save, " << i;
    program.readClock = now;
    program.lastTime = now();

    ASSERT_NE(program.classroom.panel, nullptr);
    const std::string& notice = program.classroom.panel->noticeText();
    const size_t open = notice.find('"') + 1, close = notice.find('"', open);
    ASSERT_NE(close, std::string::npos) << "[" << notice << "]";
    EXPECT_NE(notice.find(folder), std::string::npos);
    const Image saved = loadPng(folder + "/" + notice.substr(open, close - open));
    ASSERT_EQ(saved.width, 640u);
    ASSERT_EQ(saved.height, 480u);
    ASSERT_EQ(saved.channels, 3);
    EXPECT_TRUE(std::equal(shown.pixels, shown.pixels + 640 * 480 * 3, saved.pixels)) << "the frame as shown";
    // The notice goes after its time; a picture that cannot be written says why.
    runTimerPass(*program.timerList, ClassroomPanel::noticeMilliseconds / 1000.0);
    EXPECT_FALSE(program.classroom.panel->noticeShown());
    setEnvironment("HOME", "/proc");   // a folder where not even root can write
    if (picturesFolder() == "/proc") {
        key(SDLK_F12);
        runFrame(program);
        EXPECT_EQ(program.classroom.panel->noticeText().rfind("The picture could not be saved: ", 0), 0u);
    }
    std::filesystem::current_path(previous);
}

// A size event of another shape: the design is drawn into the largest
// centred 4:3 area, the widgets keep their design places, the pointer comes
// back into the design, and a press on a bar beside it reaches nothing.
TEST_F(ProgramLoopTest, AResizeEventScalesTheDesignIntoItsCentredArea) {
    SDL_Event event{};
    event.type = SDL_VIDEORESIZE;
    event.resize.w = 1000;
    event.resize.h = 600;
    SDL_PushEvent(&event);
    pumpEvents(program);
    EXPECT_EQ(program.windowWidth, 1000);
    EXPECT_EQ(program.windowHeight, 600);
    EXPECT_EQ(program.guiContext->getWidth(), 640);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), std::vector<GLint>({100, 0, 800, 600}));
    // The widget stands at (300, 200) of the design: 1.25 times that, 100
    // pixels in, on the window.
    for (int x : {480, 50}) {
        for (Uint8 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            event = {};
            event.type = type;
            event.button.button = SDL_BUTTON_LEFT;
            event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            event.button.x = static_cast<Uint16>(x);
            event.button.y = 345;
            SDL_PushEvent(&event);
        }
        pumpEvents(program);
    }
    EXPECT_EQ(widget->events, std::vector<std::string>({"mouseDown 0 304 204", "mouseUp 0 304 204"}))
        << "and nothing from the bar at the left";
    EXPECT_EQ(program.guiContext->getFocus(), widget) << "which would have taken the focus away";
    resizeWindow(program, 640, 480);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), std::vector<GLint>({0, 0, 640, 480}));
}

// At every size the design lands in one piece, as the frame's own camera
// and viewport draw it: each leader of the features picture ends on the
// point of the scene its label names, each vent's smoke starts on its
// cone's rim, to within one design pixel.
TEST_F(ProgramLoopTest, LeadersAndSmokeMeetTheirTargetsAtEverySize) {
    for (auto [w, h] : {std::pair{640, 480}, {1024, 768}, {1280, 800}, {1920, 1080}, {3840, 2160}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        applyWindowSize(program, w, h);   // as a size event does
        const FrameParts parts = frameParts(program);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        const float tolerance = static_cast<float>(viewport[3]) / 480;   // one design pixel
        // The features picture as the frame lays it over the scene.
        program.guiContext->resetView();
        const auto picture = feedWindowPolygons(
            [&] { drawPicture(parts.textures.featuresTexture, parts.windowWidth, parts.windowHeight); });
        ASSERT_FALSE(picture.empty());
        float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
        for (const FedPolygon& polygon : picture)
            for (const FedVertex& v : polygon) {
                left = std::min(left, v.position[0]), right = std::max(right, v.position[0]);
                bottom = std::min(bottom, v.position[1]), top = std::max(top, v.position[1]);
            }
        const auto onScreen = [&](WindowPoint p) {
            return WindowPoint{left + p.x / 640 * (right - left), bottom + p.y / 480 * (top - bottom)};
        };
        // The scene's camera, as the frame sets it.
        setupCamera(parts.windowWidth, parts.windowHeight);
        GLdouble model[16], projection[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        const GLdouble eye[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};   // the arrow's
        const auto seen = [&](float x, float y, float z, bool eyeSpace) {
            GLdouble sx, sy, sz;
            gluProject(x, y, z, eyeSpace ? eye : model, projection, viewport, &sx, &sy, &sz);
            return WindowPoint{static_cast<float>(sx), static_cast<float>(sy)};
        };
        for (const FeatureLabel& label : featureLabels()) {
            if (!label.leader)
                continue;
            const WindowPoint end = onScreen(label.anchor()), target = seen(label.at.x, label.at.y, label.at.z, label.at.eyeSpace);
            EXPECT_LE(std::hypot(end.x - target.x, end.y - target.y), tolerance) << label.key;
        }
        auto cone = program.animation.ventCones.begin();
        for (Vent* vent : program.animation.vents) {
            vent->active = true;
            vent->activeTime = vent->riseTime;   // fully shown
            program.guiContext->resetView();     // the sprites' view, as the frame gives it
            const auto sprites = feedWindowPolygons([&] { drawVentSprites(vent, parts.textures); });
            ASSERT_FALSE(sprites.empty());
            // The smoke comes after the seepage; its lower left corner is 80
            // by 5 of its pixels left of and below where it starts.
            float smokeLeft = 1e9f, smokeBottom = 1e9f;
            for (size_t i = vent->hasSeepage ? sprites.size() / 2 : 0; i < sprites.size(); ++i)
                for (const FedVertex& v : sprites[i]) {
                    smokeLeft = std::min(smokeLeft, v.position[0]);
                    smokeBottom = std::min(smokeBottom, v.position[1]);
                }
            const float perPixel = (right - left) / 640;
            const WindowPoint start{smokeLeft + 80 * vent->scale * perPixel, smokeBottom + 5 * vent->scale * perPixel};
            const ConeShape shape = coneShape((*cone)->scale, cone == program.animation.ventCones.begin() ? 0.5f : 1.0f);
            const float* at = (*cone++)->position;
            const WindowPoint rim = seen(at[0] - shape.topRadius, at[1] + shape.height, at[2] + shape.shiftZ, false);
            EXPECT_LE(std::hypot(start.x - rim.x, start.y - rim.y), tolerance) << "the smoke of a vent";
        }
    }
    applyWindowSize(program, 640, 480);
}

// F11 goes to full screen at the desktop's size, when that is known, and
// Escape comes back to the window's size; the pictures are still there and frames draw.
TEST_F(ProgramLoopTest, FullScreenAndBack) {
    program.classroom.desktopWidth = 640;   // whatever the test display's size
    program.classroom.desktopHeight = 0;    // a desktop of unknown size: no full screen
    key(SDLK_F11);
    EXPECT_FALSE(program.classroom.fullScreen);
    program.classroom.desktopHeight = 480;
    key(SDLK_F11);
    EXPECT_TRUE(program.classroom.fullScreen);
    // Windows may give the screen's real size, and says so by a resize.
    SDL_Event resized{};
    resized.type = SDL_VIDEORESIZE;
    resized.resize.w = 640;
    resized.resize.h = 480;
    SDL_PushEvent(&resized);
    pumpEvents(program);
    EXPECT_TRUE(program.classroom.fullScreen);
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) << "still in full screen after a resize report";
    key(SDLK_ESCAPE);
    EXPECT_FALSE(program.classroom.fullScreen);
    EXPECT_EQ(program.windowWidth, 640);
    EXPECT_EQ(program.windowHeight, 480);
    EXPECT_TRUE(glIsTexture(program.textures.rockTexture));
    runFrame(program);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(keysSeen(), std::vector<std::string>()) << "neither key reached the widgets";
}

TEST_F(ProgramLoopTest, ANewGlContextGetsEverythingMadeAgain) {
    // As a mode change that loses the context would leave things.
    deleteTextures(program.textures);
    for (const VentCone* cone : program.animation.ventCones)
        glDeleteLists(cone->displayList, 1);
    rebuildGlResources(program);
    EXPECT_TRUE(glIsTexture(program.textures.rockTexture));
    EXPECT_TRUE(glIsTexture(program.textures.logoTexture));
    for (const VentCone* cone : program.animation.ventCones)
        EXPECT_TRUE(glIsList(cone->displayList));
    drawFrame(program);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
