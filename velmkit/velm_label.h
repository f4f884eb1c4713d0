// VelmLabel: one or more lines of text in one font, size and colour.
#pragma once

#include <string>

#include "velmkit/velm_drawable.h"

class VelmFont;

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
    const std::string& getText() const { return original; }
    // The font drawing this label: its own, else the context's default.
    VelmFont* activeFont() const;

protected:
    // Measures width, height, line height and baseline offset from the text.
    virtual void calculateHeightAndWidth();

    const float* textColor;       // never null: points at textColorValue
    char* text = nullptr;         // own copy, cut in place by velmFormatText
    bool needsFormatting = true;  // the text must be cut before drawing
    float baselineOffset = 0;     // raises the first line's baseline from the line's bottom
    unsigned fontSize;
    VelmFont* font = nullptr;     // own font, or null for the context's default
    float lineHeight = 0;
    int lineCount = 0;
    unsigned* lineBreaks = nullptr;
    int tabCount = 0;
    unsigned* tabBreaks = nullptr;
    float tabWidth = 0;           // distance between tab stops; 0: no stops
    float minimumWidth;

    float textColorValue[4];
    std::string original;         // the text as given, uncut
    std::string piece;            // one line or tab piece while measuring or drawing

private:
    void storeText(const char* value);
};
