// ShadowLabel: the two passes and the line and tab steps.
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
    const float startX = currentTranslationX();
    if (needsFormatting) {
        needsFormatting = false;
        velmFormatText(text, lineCount, lineBreaks, tabCount, tabBreaks);
    }
    glPushMatrix();
    glTranslatef(x + offset, y + height + baselineOffset - lineHeight - offset, 0);
    VelmFont* f = activeFont();
    if (f != nullptr)
        f->FaceSize(fontSize);
    glColor4fv(colour);
    glPushMatrix();
    if (f != nullptr)
        f->Render(text);
    int t = 0;
    for (int i = 0; i < lineCount; ++i) {
        while (t < tabCount && tabBreaks[t] < lineBreaks[i]) {
            tabStep(t, startX, f);
            ++t;
        }
        glPopMatrix();
        glTranslatef(0, -lineHeight, 0);
        glPushMatrix();
        const char* segment = text + lineBreaks[i] + 1;
        if (f != nullptr && *segment != '\0')
            f->Render(segment);
    }
    while (t < tabCount) {
        tabStep(t, startX, f);
        ++t;
    }
    glPopMatrix();
    glPopMatrix();
}

void ShadowLabel::tabStep(int t, float startX, VelmFont* f) {
    const unsigned p = tabBreaks[t];
    if (tabWidth != 0) {
        if (t > 0 && text[p - 1] != '\0' && f != nullptr) {
            const char last[2] = {text[p - 1], '\0'};
            glTranslatef(f->Advance(last), 0, 0);
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
    const char* segment = text + p + 1;
    if (f != nullptr && *segment != '\0')
        f->Render(segment);
}
