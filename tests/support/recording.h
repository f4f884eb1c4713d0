// Test doubles for the widget library: a drawable that records its events
// and a font that records what it renders.
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "velmkit/velm.h"

// A palette of one fill colour, with white text and marks and black outlines.
inline VelmPalette testPalette(const float* fill) {
    VelmPalette p;
    float* slots[] = {p.background, p.face, p.shadow, p.frame, p.accent, p.disabled};
    for (float* slot : slots)
        std::copy(fill, fill + 4, slot);
    std::copy(velmWhite, velmWhite + 4, p.label);
    std::copy(velmWhite, velmWhite + 4, p.mark);
    std::copy(velmBlack, velmBlack + 4, p.outline);
    return p;
}

// Records every event offered to it; takes clicks and keys inside itself.
class RecordingDrawable : public VelmDrawable {
public:
    using VelmDrawable::VelmDrawable;
    std::vector<std::string> events;
    bool takesEvents = true;
    int draws = 0;

    void draw() override { ++draws; }
    bool keyDown(int32_t key) override { return log("keyDown", key); }
    bool keyUp(int32_t key) override { return log("keyUp", key); }
    bool mouseDown(int32_t b, int32_t x, int32_t y) override { return log("mouseDown", b, x, y); }
    bool mouseUp(int32_t b, int32_t x, int32_t y) override { return log("mouseUp", b, x, y); }
    bool mouseMove(int32_t x, int32_t y) override { return log("mouseMove", -1, x, y); }
    bool mouseDrag(int32_t x, int32_t y) override { return log("mouseDrag", -1, x, y); }
    bool scrollWheel(int32_t d, int32_t x, int32_t y) override { return log("scrollWheel", d, x, y); }
    void makeFocusable() { focusable = true; }
    std::string last() const { return events.empty() ? "" : events.back(); }

private:
    bool log(const char* name, int32_t a, int32_t x = 0, int32_t y = 0) {
        events.push_back(std::string(name) + " " + std::to_string(a) + " " + std::to_string(x) +
                         " " + std::to_string(y));
        return takesEvents;
    }
};

// One Render call: the text, where the pen was and the colour.
struct RenderedText {
    std::string text;
    float x, y;
    float colour[4];
};

// A font with fixed metrics that records Render calls instead of drawing.
// Every character advances charWidth; Render moves the modelview matrix by
// the advances of all characters but the last, as real fonts do.
class RecordingFont : public VelmFont {
public:
    static constexpr float charWidth = 10.0f;
    static constexpr float lineHeight = 20.0f;
    static constexpr float descender = -4.0f;
    std::vector<RenderedText> rendered;

    bool FaceSize(unsigned) override { return true; }
    float Advance(const char* text) override {
        return text == nullptr ? 0.0f : charWidth * static_cast<float>(std::string(text).size());
    }
    void Render(const char* text) override {
        GLfloat m[16], c[4];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        glGetFloatv(GL_CURRENT_COLOR, c);
        rendered.push_back({text, m[12], m[13], {c[0], c[1], c[2], c[3]}});
        const size_t n = std::string(text).size();
        if (n > 1)
            glTranslatef(charWidth * static_cast<float>(n - 1), 0, 0);
    }
    float Descender() override { return descender; }
    float Ascender() override { return lineHeight + descender; }
    float LineHeight() override { return lineHeight; }
};
