// VelmLabel: one or more lines of text in one font, size and colour.
#pragma once

#include <cmath>
#include <string>

#include "velmkit/velm_drawable.h"
#include "velmkit/velm_font.h"

// One piece of a label's text: the characters up to the next line feed or
// tab, and what came before it.
struct VelmTextPiece {
    const std::string& text;   // the piece's characters, zero-terminated
    char before;               // '\n', '\t', or 0 for the first piece
    int line;                  // line number from 0
    float pen;                 // distance from the line's start where it begins
    float advance;             // its width
};

// A text label. Its width is that of its widest line and its height that of
// all its lines, measured with its font (or the context's default font).
// Line feeds start new lines; tabs move the pen to the next multiple of the
// tab width, counted from the start of the line.
class VelmLabel : public VelmDrawable {
public:
    // minimumWidth: the label reports at least this width (0: its text's).
    VelmLabel(VelmContext* context, float x, float y, const char* text, unsigned fontSize,
              float minimumWidth);
    ~VelmLabel() override;

    void draw() override;
    void fontReset() override;

    // Loads the font file (found as VelmFont finds files) and re-measures.
    void setFont(const char* fileName);
    // Takes ownership of a font object (null returns to the context's
    // default) and re-measures.
    void adoptFont(VelmFont* owned);
    // The text colour, RGBA (copied).
    void setTextColor(float r, float g, float b, float a);
    void setTextColor(const float* rgba);
    const float* getTextColor() const { return textColor; }
    // Replaces the text and re-measures.
    void setText(const char* text);
    const std::string& getText() const { return text; }
    // The font drawing this label: its own, else the context's default.
    VelmFont* activeFont() const;

protected:
    // Measures width, height, line height and baseline offset from the text.
    virtual void calculateHeightAndWidth();

    // Calls visit(VelmTextPiece) for each piece of the text in order, with
    // the pen as font measures it at the current size. The pieces share one
    // buffer whose capacity is kept, so walking allocates nothing.
    template <typename Visit>
    void walkPieces(VelmFont* font, Visit visit) {
        int line = 0;
        float pen = 0;
        char before = 0;
        size_t from = 0;
        for (;;) {
            const size_t end = text.find_first_of("\n\t", from);
            piece.assign(text, from, end == std::string::npos ? std::string::npos : end - from);
            const float advance = font->Advance(piece.c_str());
            visit(VelmTextPiece{piece, before, line, pen, advance});
            if (end == std::string::npos)
                return;
            before = text[end];
            if (before == '\n') {
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

    const float* textColor;       // never null: points at textColorValue
    std::string text;
    float baselineOffset = 0;     // raises the first line's baseline from the line's bottom
    unsigned fontSize;
    VelmFont* font = nullptr;     // own font, or null for the context's default
    float lineHeight = 0;
    float tabWidth = 0;           // distance between tab stops; 0: no stops
    float minimumWidth;
    float textColorValue[4];

private:
    std::string piece;            // the piece being visited
};
