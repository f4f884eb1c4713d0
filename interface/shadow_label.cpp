// ShadowLabel: the two passes, walking the label's pieces with the line and
// tab steps.
#include "interface/shadow_label.h"

#include <GL/gl.h>

#include <cmath>

#include "velmkit/velm.h"

namespace {
constexpr float shadowAlphaShare = 0.5f;
constexpr int translationX = 12;   // element of a GL matrix holding the x translation

float currentTranslationX() {
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    return matrix[translationX];
}
}  // namespace

void ShadowLabel::draw() {
    if (!visible)
        return;
    const float shadow[4] = {0, 0, 0, textColor[3] * shadowAlphaShare};
    drawText(shadow, shadowOffset);
    drawText(textColor, 0);
}

void ShadowLabel::drawText(const float* colour, float offset) {
    // Tab stops count from where the view's origin stands now.
    const float startX = currentTranslationX();
    glPushMatrix();
    glTranslatef(x + offset, y + height + baselineOffset - lineHeight - offset, 0);
    VelmFont* f = activeFont();
    if (f != nullptr)
        f->FaceSize(fontSize);
    glColor4fv(colour);
    glPushMatrix();
    if (f == nullptr) {
        glPopMatrix();
        glPopMatrix();
        return;
    }
    int tabs = 0;
    char lastDrawn = 0;   // the last character of the piece before
    walkPieces(f, [&](const VelmTextPiece& p) {
        if (p.before == '\n') {
            glPopMatrix();   // back to the start of the line
            glTranslatef(0, -lineHeight, 0);
            glPushMatrix();
        } else if (p.before == '\t') {
            tabStep(tabs++, lastDrawn, startX, f);
        }
        if (p.before == 0 || !p.text.empty())
            f->Render(p.text.c_str());
        lastDrawn = p.text.empty() ? 0 : p.text.back();
    });
    glPopMatrix();
    glPopMatrix();
}

void ShadowLabel::tabStep(int t, char last, float startX, VelmFont* f) {
    if (tabWidth == 0)
        return;
    // From the first tab on, the pen moves from the last glyph's origin to
    // the end of the piece before.
    if (t > 0 && last != '\0') {
        const char one[2] = {last, '\0'};
        glTranslatef(f->Advance(one), 0, 0);
    }
    const float current = currentTranslationX() - startX;
    float move;
    if (tabWidth > current) {
        move = tabWidth - current;
    } else {
        const float n = std::ceil(static_cast<float>(current / tabWidth));
        move = tabWidth * n - current;
        if (move == 0)
            move = tabWidth;
    }
    glTranslatef(move, 0, 0);
}
