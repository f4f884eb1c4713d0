// VelmLabel: measuring and drawing multi-line text.
#include "velmkit/velm_label.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "velmkit/velm_base.h"
#include "velmkit/velm_context.h"
#include "velmkit/velm_font.h"

namespace {
constexpr float tabStopsPerEm = 4.0f;   // a tab stop every four font sizes

// Advance of one line with its tabs, in pixels.
float lineAdvance(VelmFont* font, const std::string& line, float tabWidth) {
    float pen = 0;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        pen += font->Advance(line.substr(start, tab - start).c_str());
        if (tab == std::string::npos)
            return pen;
        if (tabWidth > 0)
            pen = (std::floor(pen / tabWidth) + 1) * tabWidth;
        start = tab + 1;
    }
}
}  // namespace

VelmLabel::VelmLabel(VelmContext* ctx, float x0, float y0, const char* value, unsigned size,
                     float minWidth)
    : VelmDrawable(ctx, x0, y0, 0, 0), textColor(textColorValue), fontSize(size),
      minimumWidth(minWidth) {
    setTextColor(ctx != nullptr ? ctx->getPalette().label : velmWhite);
    storeText(value);
    calculateHeightAndWidth();
}

VelmLabel::~VelmLabel() {
    delete[] text;
    delete[] lineBreaks;
    delete[] tabBreaks;
    delete font;
}

void VelmLabel::storeText(const char* value) {
    original = value != nullptr ? value : "";
    delete[] text;
    text = new char[original.size() + 1];
    std::memcpy(text, original.c_str(), original.size() + 1);
    needsFormatting = true;
}

void VelmLabel::setText(const char* value) {
    storeText(value);
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
        size_t start = 0;
        for (;;) {
            const size_t end = original.find('\n', start);
            widest = std::max(widest, lineAdvance(f, original.substr(start, end - start), tabWidth));
            if (end == std::string::npos)
                break;
            start = end + 1;
            ++lines;
        }
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
    float baseline = y + height + baselineOffset - lineHeight;
    size_t start = 0;
    for (;;) {
        const size_t end = original.find('\n', start);
        const std::string line = original.substr(start, end - start);
        float pen = 0;
        size_t from = 0;
        for (;;) {
            const size_t tab = line.find('\t', from);
            const std::string piece = line.substr(from, tab - from);
            glPushMatrix();
            glTranslatef(std::floor(x + pen), std::floor(baseline), 0);
            f->Render(piece.c_str());
            glPopMatrix();
            pen += f->Advance(piece.c_str());
            if (tab == std::string::npos)
                break;
            if (tabWidth > 0)
                pen = (std::floor(pen / tabWidth) + 1) * tabWidth;
            from = tab + 1;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
        baseline -= lineHeight;
    }
}
