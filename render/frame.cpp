// Frame composition: pictures, camera, model, cones and sprites, arrow, panel.
#include "render/frame.h"

#include <GL/glu.h>

#include "animation/animation.h"
#include "animation/sprites.h"
#include "animation/vent_cone.h"
#include "assets/image.h"
#include "assets/textures.h"
#include "render/block.h"
#include "render/plate.h"
#include "render/scene.h"
#include "velmkit/velm.h"

namespace {
constexpr GLfloat lightPosition[4] = {1.0f, 4.0f, 2.0f, 0.0f};   // directional, upper right front
constexpr GLfloat lightColour[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr GLfloat arrowColour[4] = {1.0f, 0.2f, 0.0f, 0.7f};
}  // namespace

void setupGLState() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_CULL_FACE);
    glClearColor(velmBlack[0], velmBlack[1], velmBlack[2], velmBlack[3]);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, velmBlack);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightColour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightColour);
    glEnable(GL_LIGHT0);
}

void setupCamera(int32_t windowWidth, int32_t windowHeight) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(cameraFieldOfView,
                   static_cast<double>(windowWidth) / static_cast<double>(windowHeight),
                   cameraNear, cameraFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(cameraTranslation[0], cameraTranslation[1], cameraTranslation[2]);
    glRotatef(cameraTilt, 1.0f, 0.0f, 0.0f);
}

void drawPicture(GLuint texture, int32_t windowWidth, int32_t windowHeight) {
    glColor4fv(velmWhite);
    glBindTexture(GL_TEXTURE_2D, texture);
    const float w = static_cast<float>(windowWidth), h = static_cast<float>(windowHeight);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(w, 0);
    glTexCoord2f(1, 1);
    glVertex2f(w, h);
    glTexCoord2f(0, 1);
    glVertex2f(0, h);
    glEnd();
}

void composeFrame(const FrameParts& frame) {
    const int32_t w = frame.windowWidth, h = frame.windowHeight;
    const TextureSet& textures = frame.textures;
    VelmContext* guiContext = frame.guiContext;
    Animation& animation = frame.animation;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    drawPicture(textures.underlayTexture, w, h);
    setupCamera(w, h);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);

    if (frame.scene.complete()) {
        drawBlock(textures);
        drawPlates(*frame.scene.thePlates, textures);
        drawSea();
        auto cone = animation.ventCones.begin();
        auto vent = animation.vents.begin();
        for (; cone != animation.ventCones.end() && vent != animation.vents.end(); ++cone, ++vent) {
            if ((*vent)->active) {
                guiContext->resetView();
                drawVentSprites(*vent, textures);
                setupCamera(w, h);
            }
            drawVentCone(*cone, textures.landTexture);
        }
    }

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    guiContext->resetView();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    drawPicture(textures.overlayTexture, w, h);
    if (frame.highlightFeatures)
        drawPicture(textures.featuresTexture, w, h);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glEnable(GL_TEXTURE_2D);
    if (animation.theArrow != nullptr) {
        glColor4fv(arrowColour);
        drawArrow(*animation.theArrow, textures);
    }

    guiContext->resetView();
    glDisable(GL_TEXTURE_2D);
    guiContext->draw();
}

Image readFrame(int32_t windowWidth, int32_t windowHeight) {
    Image frame;
    frame.width = static_cast<uint32_t>(windowWidth);
    frame.height = static_cast<uint32_t>(windowHeight);
    frame.bitDepth = 8;
    frame.channels = 3;
    frame.pixels = new uint8_t[frame.rowBytes() * frame.height];
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.pixels);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    return frame;
}
