// LogoButton: drawing and hover tracking.
#include "interface/logo_button.h"

#include "velmkit/velm.h"

LogoButton::LogoButton(VelmContext* ctx, float x0, float y0, float w, float h, GLuint name)
    : VelmDrawable(ctx, x0, y0, w, h), texture(name) {}

void LogoButton::draw() {
    glColor4fv(velmWhite);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(1, 0);
    glVertex2f(x + width, y);
    glTexCoord2f(1, 1);
    glVertex2f(x + width, y + height);
    glTexCoord2f(0, 1);
    glVertex2f(x, y + height);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

bool LogoButton::keyDown(int32_t) { return false; }
bool LogoButton::mouseDown(int32_t, int32_t, int32_t) { return false; }
bool LogoButton::mouseUp(int32_t, int32_t, int32_t) { return false; }
bool LogoButton::mouseDrag(int32_t, int32_t) { return false; }

void LogoButton::report() {
    if (responder != nullptr)
        responder->respond(this);
    context->redrawRequested = true;
}

bool LogoButton::mouseMove(int32_t px, int32_t py) {
    if (!visible || !enabled)
        return false;
    if (velmInBounds(px, py, x, y, width, height)) {
        if (hovering != 1)
            report();
        hovering = 1;
        return true;
    }
    if (hovering != 0)
        report();
    hovering = 0;
    return false;
}
