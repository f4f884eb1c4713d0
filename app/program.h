// The program's long-lived state, one owner for all of it: made by startUp
// in its fixed order and freed by cleanUp. The animation's own state lives
// here; the classroom keys' state is a record of its own
// (app/classroom_state.h), held here so that it has the same owner.
#pragma once

#include <cstdint>

#include "animation/animation.h"
#include "app/classroom_state.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/timers.h"
#include "assets/textures.h"
#include "render/design_view.h"
#include "render/frame.h"
#include "render/scene.h"

#include <string>
#include <vector>

class VelmContext;
struct Interface;

struct Program {
    // Size of the drawing area in pixels.
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    // Where the 640 by 480 design is drawn in it.
    DesignView view;
    // The clock the frame loop reads, in seconds: the platform's now(), or
    // one a test sets before start-up.
    double (*readClock)() = now;
    // Time of the previous timer pass, in seconds of readClock().
    double lastTime = 0.0;
    TimerList* timerList = nullptr;
    // The widget library's one context, and the panel built on it.
    VelmContext* guiContext = nullptr;
    Interface* theInterface = nullptr;
    TextureSet textures;
    // The labels in a language other than English: painted in it at every
    // size (the shipped picture has them in English).
    bool translatedLabels = false;
    Scene scene;
    Animation animation;
    FrameClock clock;
    Pointer pointer;
    // The size the features picture was painted at for the drawing area,
    // 0 by 0 while it holds the picture read from its file.
    int32_t featuresWidth = 0, featuresHeight = 0;
    // The tour's step the features picture shows; -1: every label.
    int32_t featuresStep = -1;
    // False once the GL context is gone (a failed mode change): freeing
    // then releases memory only.
    bool glContextAlive = false;

    // The animation's clock: the sum of its steps, in seconds.
    double animationSeconds = 0.0;

    // The pictures that could not be read at start-up (file names).
    std::vector<std::string> unreadPictures;

    // The classroom keys: pause, full screen, F12's picture, the key help.
    ClassroomState classroom;
};

// Start-up after the window is open, in its fixed order: the timer list and
// the clocks, the GL state, the textures, the widget library and its
// context, the panel, exitHandler registered with atexit (when not null),
// the view and layout, one frame, the camera, the scene and the animation.
void buildProgram(Program& program, void (*exitHandler)());
// Frees what buildProgram made, in cleanUp's order; the media library stays.
void freeProgram(Program& program);
// What a frame of the program shows.
FrameParts frameParts(Program& program);
// Draws one frame of the program and shows it.
void drawFrame(Program& program);
// Textures, cone display lists and glyph textures made again in a new GL
// context (a mode change that lost the old one).
void rebuildGlResources(Program& program);
// While the features are shown, makes their picture fit the size shown:
// the file's at the design's own size, else painted again at that size,
// so that the labels stay sharp; during the tour of the features, its
// step's label and caption, painted at the size shown. Slow when it
// paints: called outside the frame's timing.
void prepareFeaturesPicture(Program& program);
