// The design's place in a drawing area: everything is designed for 640 by
// 480 pixels, and at any other size that design is drawn, scaled uniformly,
// into the largest centred 4:3 area, with plain bars beside or above it.
#pragma once

#include <cstdint>

#include "assets/scene_projection.h"   // the design's size

struct DesignView {
    // The area in drawing-area pixels, origin at the lower left.
    int32_t left = 0, bottom = 0;
    int32_t width = designWidth, height = designHeight;
    // Drawing-area pixels per design pixel: 1 at 640 by 480.
    float scale = 1.0f;
};

// The view for a drawing area of width by height pixels; a size of 0 or
// less gives an area of one pixel.
DesignView fitDesign(int32_t width, int32_t height);
// A pointer on pixel column x and at height y of the drawing area, counted
// as the pointer's position is (the top row at the area's height, the
// bottom row at 1), in design pixels counted the same way; false when it
// lies on a bar, outside the design.
bool toDesign(const DesignView& view, int32_t x, int32_t y, int32_t& designX, int32_t& designY);
