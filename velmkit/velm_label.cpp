// VelmLabel: measuring and drawing multi-line text.
#include "velmkit/velm_label.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "velmkit/velm_base.h"
#include "velmkit/velm_context.h"
#include "velmkit/velm_font.h"

namespace {
constexpr float tabStopsPerEm = 4.0f;   // a tab stop every four font sizes
}  // namespace

VelmLabel::VelmLabel(VelmContext* ctx, float x0, float y0, const char* value, unsigned size,
                     float minWidth)
    : VelmDrawable(ctx, x0, y0, 0, 0), textColor(textColorValue), fontSize(size),
      minimumWidth(minWidth) {
    setTextColor(ctx != nullptr ? ctx->getPalette().label : velmWhite);
    text = value != nullptr ? value : "";
    piece.reserve(text.size());
    calculateHeightAndWidth();
}

VelmLabel::~VelmLabel() { delete font; }

void VelmLabel::setText(const char* value) {
    text = value != nullptr ? value : "";
    piece.reserve(text.size());
    calculateHeightAndWidth();
    requestRedraw();
}

VelmFont* VelmLabel::activeFont() const {
    if (font != nullptr)
        return font;
    return context != nullptr ? context->getDefaultFont() : nullptr;
}

void VelmLabel::setFont(const char* fileName) { adoptFont(new VelmFont(fileName)); }

void VelmLabel::adoptFont(VelmFont* owned) {
    if (owned != font)
        delete font;
    font = owned;
    calculateHeightAndWidth();
    requestRedraw();
}

void VelmLabel::fontReset() { calculateHeightAndWidth(); }

void VelmLabel::setTextColor(float r, float g, float b, float a) {
    textColorValue[0] = r;
    textColorValue[1] = g;
    textColorValue[2] = b;
    textColorValue[3] = a;
    requestRedraw();
}

void VelmLabel::setTextColor(const float* rgba) {
    setTextColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void VelmLabel::calculateHeightAndWidth() {
    VelmFont* f = activeFont();
    float widest = 0;
    int lines = 1;
    if (f != nullptr && f->FaceSize(fontSize)) {
        lineHeight = f->LineHeight();
        baselineOffset = -f->Descender();
        tabWidth = tabStopsPerEm * static_cast<float>(fontSize);
        walkPieces(f, [&](const VelmTextPiece& p) {
            widest = std::max(widest, p.pen + p.advance);
            lines = p.line + 1;
        });
    } else {
        lineHeight = baselineOffset = tabWidth = 0;
    }
    width = std::max(widest, minimumWidth);
    height = static_cast<float>(lines) * lineHeight;
}

void VelmLabel::draw() {
    VelmFont* f = activeFont();
    if (!visible || f == nullptr || !f->FaceSize(fontSize))
        return;
    glColor4fv(enabled ? textColor : context->getPalette().disabled);
    const float firstBaseline = y + height + baselineOffset - lineHeight;
    walkPieces(f, [&](const VelmTextPiece& p) {
        glPushMatrix();
        glTranslatef(std::floor(x + p.pen), std::floor(firstBaseline - p.line * lineHeight), 0);
        f->Render(p.text.c_str());
        glPopMatrix();
    });
}
