// ShadowLabel: a label drawn over a translucent black copy of itself.
#pragma once

#include "velmkit/velm_label.h"

// Draws its text twice: a black copy at half the text's alpha, 3 pixels
// right and 3 lower, then the text itself.
class ShadowLabel : public VelmLabel {
public:
    using VelmLabel::VelmLabel;

    void draw() override;

    static constexpr float shadowOffset = 3.0f;

private:
    // Renders every piece once in colour, shifted right and down by offset.
    void drawText(const float* colour, float offset);
    // Moves the pen to the next tab stop for the t-th tab of the text; last
    // is the character before the tab.
    void tabStep(int t, char last, float startX, VelmFont* font);
};
