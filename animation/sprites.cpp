// Smoke and seepage sprites, and the arrow with its moving window.
#include "animation/sprites.h"

#include <GL/gl.h>

#include <algorithm>

#include "animation/animation.h"
#include "assets/textures.h"

namespace {
// Sprite layout in pixels at scale 1, relative to the vent's anchor.
constexpr float spriteOffsetX = 80.0f, spriteOffsetY = 5.0f;
constexpr float smokeWidth = 155.0f, smokeHeight = 163.0f;
constexpr float seepageLeft = 17.0f, seepageRight = 146.0f;
constexpr float seepageBottom = -65.0f, seepageTop = 15.0f;

float clampUnit(float v) { return std::min(1.0f, std::max(0.0f, v)); }
}  // namespace

PuffOpacity puffOpacity(float t, float r, float h, float f) {
    if (t <= r)
        return {clampUnit(2 * t / r), clampUnit((2 * t - r) / r), false};
    if (t <= r + h)
        return {1.0f, 1.0f, false};
    if (t <= r + h + f) {
        const float v = 1 - (t - (r + h)) / f;
        return {v, v, false};
    }
    return {0.0f, 0.0f, true};
}

ArrowWindow arrowWindow(float p) {
    if (p < 1)
        return {1 - p, 1};
    if (p < 2)
        return {0, 2 - p};
    return {0, 0};
}

void drawVentSprites(Vent* vent, const TextureSet& textures) {
    if (!vent->active)
        return;
    const PuffOpacity o = puffOpacity(vent->activeTime, vent->riseTime, vent->holdTime, vent->fadeTime);
    if (o.ended) {
        vent->active = false;
        vent->activeTime = 0;
        return;
    }
    const float q = vent->scale;
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glTranslatef(vent->anchorX - spriteOffsetX * q, vent->anchorY - spriteOffsetY * q, 0);
    if (vent->hasSeepage) {
        // Grows downwards: the upper edge shows first.
        glBindTexture(GL_TEXTURE_2D, textures.seepageTexture);
        glBegin(GL_QUADS);
        glColor4f(1, 1, 1, o.b);
        glTexCoord2f(0, 0);
        glVertex2f(seepageLeft * q, seepageBottom * q);
        glTexCoord2f(1, 0);
        glVertex2f(seepageRight * q, seepageBottom * q);
        glColor4f(1, 1, 1, o.a);
        glTexCoord2f(1, 1);
        glVertex2f(seepageRight * q, seepageTop * q);
        glTexCoord2f(0, 1);
        glVertex2f(seepageLeft * q, seepageTop * q);
        glEnd();
    }
    // Grows upwards: the lower edge shows first.
    glBindTexture(GL_TEXTURE_2D, textures.smokeTexture);
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, o.a);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(smokeWidth * q, 0);
    glColor4f(1, 1, 1, o.b);
    glTexCoord2f(1, 1);
    glVertex2f(smokeWidth * q, smokeHeight * q);
    glTexCoord2f(0, 1);
    glVertex2f(0, smokeHeight * q);
    glEnd();
    glPopMatrix();
    glDepthMask(GL_TRUE);
}

void drawArrow(const Arrow& arrow, const TextureSet& textures) {
    glPushMatrix();
    glTranslatef(arrow.position[0], arrow.position[1], arrow.position[2]);
    glRotatef(arrow.angle, 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures.arrowTexture);
    const ArrowWindow w = arrowWindow(arrow.phase);
    const float L = arrow.length, W = arrow.width;
    glBegin(GL_QUADS);
    glTexCoord2f(w.from, 0);
    glVertex2f(L * w.from, 0);
    glTexCoord2f(w.to, 0);
    glVertex2f(L * w.to, 0);
    glTexCoord2f(w.to, 1);
    glVertex2f(L * w.to, W);
    glTexCoord2f(w.from, 1);
    glVertex2f(L * w.from, W);
    glEnd();
    glPopMatrix();
}
