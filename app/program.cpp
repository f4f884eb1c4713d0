// The program's state: made in start-up's order, freed in cleanUp's.
#include "app/program.h"

#include <algorithm>
#include <cstdlib>

#include "app/platform.h"
#include "app/startup_stages.h"
#include "assets/features_picture.h"
#include "assets/image.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "interface/logo_button.h"
#include "interface/translation.h"
#include "render/frame.h"
#include "velmkit/velm.h"

namespace {
constexpr int startWidth = designWidth;
constexpr int startHeight = designHeight;
constexpr const char* defaultFontFile = "VERDANA.TTF";

StartupStageHook stageHook = nullptr;

void stageDone(const char* stage) {
    if (stageHook != nullptr)
        stageHook(stage);
}

}  // namespace

void setStartupStageHook(StartupStageHook hook) { stageHook = hook; }

FrameParts frameParts(Program& program) {
    return {designWidth,
            designHeight,
            program.guiContext,
            program.textures,
            program.scene,
            program.animation,
            (program.theInterface != nullptr && program.theInterface->highlightFeatures) ||
                program.classroom.tourStep >= 0};
}

void buildProgram(Program& program, void (*exitHandler)()) {
    program.glContextAlive = true;
    program.timerList = new TimerList(true);
    serveTimers(program.timerList);
    program.clock.reset();
    program.lastTime = program.readClock();

    setupGLState();
    stageDone("video");
    program.unreadPictures = loadTextures(program.textures);
    stageDone("textures");
    velmInit(addTimer, noOpHook, getModifiers);
    program.guiContext = new VelmContext(startWidth, startHeight, defaultFontFile, panelPalette());
    program.theInterface = new Interface(program.guiContext, program.textures.logoTexture);
    if (exitHandler != nullptr)
        std::atexit(exitHandler);
    stageDone("widgets");

    glViewport(0, 0, startWidth, startHeight);
    program.windowWidth = startWidth;
    program.windowHeight = startHeight;
    program.guiContext->resize(startWidth, startHeight);
    program.guiContext->resetView();
    layoutCredits(program.theInterface, startWidth, startHeight);

    drawFrame(program);
    stageDone("first_frame");
    setupCamera(designWidth, designHeight);
    createScene(program.scene);
    createAnimation(program.animation);
    program.guiContext->resetView();
    stageDone("scene");
}

void freeProgram(Program& program) {
    delete program.guiContext;
    program.guiContext = nullptr;
    serveTimers(nullptr);
    delete program.timerList;
    program.timerList = nullptr;
    destroyScene(program.scene);
    destroyAnimation(program.animation, program.glContextAlive);
    if (program.glContextAlive)
        deleteTextures(program.textures);
    delete program.theInterface;
    program.theInterface = nullptr;
    delete program.classroom.panel;
    program.classroom.panel = nullptr;
}

namespace {
// Beyond three times the design's size the painted picture is stretched:
// the painter's working canvas would pass a hundred megabytes.
constexpr float maxPaintedScale = 3.0f;
}  // namespace

void prepareFeaturesPicture(Program& program) {
    const int32_t step = program.classroom.tourStep;
    if (step < 0 && (program.theInterface == nullptr || !program.theInterface->highlightFeatures))
        return;
    const DesignView& view = program.view;
    int32_t w = 0, h = 0;
    if (view.width != designWidth || view.height != designHeight || step >= 0 || program.translatedLabels) {
        // A step of the tour, and the labels in another language than
        // English, are always painted, at the design's size too.
        const float scale = std::min(view.scale, maxPaintedScale);
        w = scale < view.scale ? static_cast<int32_t>(designWidth * scale) : view.width;
        h = scale < view.scale ? static_cast<int32_t>(designHeight * scale) : view.height;
    }
    if (w == program.featuresWidth && h == program.featuresHeight && step == program.featuresStep)
        return;
    const auto translate = [](const std::string& english) { return std::string(tr(english.c_str())); };
    const Image picture =
        step >= 0 ? paintedTourPicture(w, h, static_cast<size_t>(step), velmResolveFontFile(labelFontFile),
                                       velmResolveFontFile(captionFontFile), translate)
        : w == 0  ? loadPng(featuresFileName)
                  : paintedFeaturesPicture(w, h, velmResolveFontFile(labelFontFile), translate);
    glBindTexture(GL_TEXTURE_2D, program.textures.featuresTexture);
    uploadPicture(picture, TextureUpload::OneLevel);
    program.featuresWidth = w;
    program.featuresHeight = h;
    program.featuresStep = step;
}

void drawFrame(Program& program) {
    composeFrame(frameParts(program));
    swapBuffers();
}

void rebuildGlResources(Program& program) {
    // Fonts first: their old glyph textures' names may come back for ours.
    VelmFont::forgetAllGlObjects();
    loadTextures(program.textures);
    program.theInterface->logo->texture = program.textures.logoTexture;
    recompileCones(program.animation);
    program.featuresWidth = program.featuresHeight = 0;   // the file's picture again
    program.featuresStep = -1;
}
