// VelmColorRect: one blended quad.
#include "velmkit/velm_color_rect.h"

#include <GL/gl.h>

#include "velmkit/velm_base.h"

VelmColorRect::VelmColorRect(VelmContext* ctx, float x0, float y0, float w, float h,
                             const float* rgba)
    : VelmDrawable(ctx, x0, y0, w, h) {
    setColor(rgba);
}

void VelmColorRect::setColor(const float* rgba) {
    const float* from = rgba != nullptr ? rgba : velmBlack;
    for (int i = 0; i < 4; ++i)
        colour[i] = from[i];
    requestRedraw();
}

void VelmColorRect::draw() {
    if (!visible)
        return;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4fv(colour);
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + width, y);
    glVertex2f(x + width, y + height);
    glVertex2f(x, y + height);
    glEnd();
}
