// The application shell: start-up in its fixed order, the frame loop, the
// event pump and the exit handler.
#include "app/shell.h"

#include <cstdio>
#include <cstdlib>

#include "app/classroom.h"
#include "app/platform.h"
#include "app/program.h"
#include "app/window.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "interface/translation.h"
#include "render/frame.h"
#include "render/plate.h"
#include "velmkit/velm_context.h"

namespace {
// The one program, for the exit handler, which takes no arguments.
Program* running = nullptr;
}  // namespace

Program& startUp(bool translatedLabels) {
    configureHeap();
    if (!startVideo()) {
        std::printf("Error: couldn't initialize video\n");
        std::fflush(stdout);
        alertUser(tr("Corvane Zone could not start the computer's video system."));
        std::exit(1);
    }
    requestGlContext();
    int desktopWidth = 0, desktopHeight = 0;
    desktopSize(desktopWidth, desktopHeight);
    if (!setWindowMode(designWidth, designHeight, WindowMode::Opening))
        windowFailed(nullptr, true);
    Program& program = *new Program();
    program.translatedLabels = translatedLabels;
    program.classroom.desktopWidth = desktopWidth;
    program.classroom.desktopHeight = desktopHeight;
    running = &program;
    keepGlDriverLoaded();
    setWindowCaption(windowCaption);
    setUpKeyboard();
    // Without a swap tied to the display, frames are paced by waiting.
    program.clock.setFramePacing(!swapWaitsForDisplay());

    buildProgram(program, cleanUp);
    sayUnreadPictures(program);
    offerClassroomControls();
    return program;
}

float runFrame(Program& program) {
    pumpEvents(program);
    followLabels(program);
    const double t0 = program.readClock();
    prepareFeaturesPicture(program);
    const double t1 = program.readClock();
    double setAside = t1 - t0;   // work outside the animation, left out of its step
    composeFrame(frameParts(program));
    ClassroomState& classroom = program.classroom;
    if (classroom.pictureRequested) {
        // The picture is the frame as shown, before any notice about it; it
        // is written out after the frame, which it must not slow.
        classroom.pictureRequested = false;
        classroom.picture = readFrame(program.windowWidth, program.windowHeight);
    }
    swapBuffers();
    // Where the display calls each frame (a browser), the step is the time
    // between its frames; elsewhere the program measures its own frames.
    const double shown = displayFrameStep();
    if (shown < 0) {
        program.clock.paceFrame(t1, program.readClock);
        const double t2 = program.readClock();
        program.clock.recordFrameTime(t2 - t1);
    }
    if (!classroom.picture.empty()) {
        const double before = program.readClock();
        savePicture(program);
        setAside += program.readClock() - before;
    }
    discountNextStep(setAside);
    // While paused nothing moves: no time passes for the animation.
    const float step = classroom.paused ? 0.0f
                       : shown >= 0     ? static_cast<float>(shown)
                                        : program.clock.animationStep();
    updateAnimation(program.animation, program.scene.thePlates->flowOffset, step);
    const double t3 = program.readClock();
    runTimerPass(*program.timerList, t3 - program.lastTime);
    program.lastTime = t3;
    program.animationSeconds += step;
    showProgramState(programState(program));
    return step;
}

ProgramState programState(Program& program) {
    ProgramState state;
    state.labels = program.theInterface != nullptr && program.theInterface->highlightFeatures;
    state.tourStep = program.classroom.tourStep;
    state.paused = program.classroom.paused;
    state.fullScreen = program.classroom.fullScreen;
    state.help = program.classroom.panel != nullptr && program.classroom.panel->helpShown();
    state.widgetFocused = program.guiContext != nullptr && program.guiContext->getFocus() != nullptr;
    state.animationSeconds = program.animationSeconds;
    if (program.classroom.panel != nullptr && program.classroom.panel->noticeShown())
        state.notice = program.classroom.panel->noticeText();
    return state;
}

void pumpEvents(Program& program) {
    InputEvent event;
    while (nextEvent(event)) {
        switch (event.kind) {
        case InputEvent::Kind::KeyDown:
            if (!takeClassroomKey(program, event))
                handleKeyDown(program.guiContext, program.pointer, translateKey(event.key), event.modifiers);
            break;
        case InputEvent::Kind::KeyUp:
            if (!takeClassroomKeyRelease(program, event.key))
                handleKeyUp(program.guiContext, program.pointer, translateKey(event.key));
            break;
        case InputEvent::Kind::PointerMoved:
            handleMouseMotion(program.guiContext, program.pointer, event.x, event.y, event.buttonsHeld,
                              program.windowHeight, program.view);
            break;
        case InputEvent::Kind::ButtonDown:
        case InputEvent::Kind::ButtonUp:
            // A press on a bar beside the design does nothing; a release
            // still ends the press it belongs to.
            if (setMousePosition(program.pointer, event.x, event.y, program.windowHeight, program.view) ||
                event.kind == InputEvent::Kind::ButtonUp)
                handleMouseButton(program.guiContext, program.pointer, event.button,
                                  event.kind == InputEvent::Kind::ButtonDown ? 1 : 0);
            break;
        case InputEvent::Kind::Quit:
            std::exit(0);
        case InputEvent::Kind::Resized:
            resizeWindow(program, event.width, event.height);
            break;
        case InputEvent::Kind::Command:
            runCommand(program, static_cast<Command>(event.command));
            break;
        case InputEvent::Kind::GraphicsRestored:
            restoreGraphics(program);
            break;
        case InputEvent::Kind::Other:
            break;
        }
    }
}

void cleanUp() {
    if (running == nullptr)
        return;
    Program& program = *running;
    // Lets end-to-end tests see that the exit handler ran.
    const bool report = std::getenv("CORVANE_REPORT_CLEANUP") != nullptr;
    freeProgram(program);
    delete running;
    running = nullptr;
    stopVideo();
    if (report)
        std::fprintf(stderr, "cleanUp: done\n");
}
