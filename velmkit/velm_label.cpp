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

// Walks text's lines and the pieces between their tabs, calling
// visit(piece, line, pen, advance) with the pen's distance from the line's
// start; a tab moves the pen to the next multiple of tabWidth. Each piece
// is copied into piece, whose capacity is kept, so drawing allocates nothing.
template <typename Visit>
void walkPieces(VelmFont* font, const std::string& text, float tabWidth, std::string& piece, Visit visit) {
    int line = 0;
    float pen = 0;
    size_t from = 0;
    for (;;) {
        const size_t end = text.find_first_of("\n\t", from);
        piece.assign(text, from, end == std::string::npos ? std::string::npos : end - from);
        const float advance = font->Advance(piece.c_str());
        visit(piece, line, pen, advance);
        if (end == std::string::npos)
            return;
        if (text[end] == '\n') {
            ++line;
            pen = 0;
        } else {
            pen += advance;
            if (tabWidth > 0)
                pen = (std::floor(pen / tabWidth) + 1) * tabWidth;
        }
        from = end + 1;
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
    piece.reserve(original.size());
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
        walkPieces(f, original, tabWidth, piece, [&](const std::string&, int line, float pen, float advance) {
            widest = std::max(widest, pen + advance);
            lines = line + 1;
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
    walkPieces(f, original, tabWidth, piece, [&](const std::string& piece, int line, float pen, float) {
        glPushMatrix();
        glTranslatef(std::floor(x + pen), std::floor(firstBaseline - line * lineHeight), 0);
        f->Render(piece.c_str());
        glPopMatrix();
    });
}
