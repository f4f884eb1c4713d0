// Reading screenshots without golden images: regions, colour statistics and
// differences between two shots, robust to small changes in the renderer.
#pragma once

#include "assets/image.h"

// A rectangle of window pixels, origin top left.
struct Region {
    int x, y, w, h;
};

struct Rgb {
    int r, g, b;
};
// The colour of pixel (x, y), origin top left, of a screenshot.
Rgb pixel(const Image& shot, int x, int y);

struct RegionStats {
    double meanR = 0, meanG = 0, meanB = 0;
    double lumaDeviation = 0;   // standard deviation of the brightness
    int pixels = 0;
};
RegionStats regionStats(const Image& shot, Region region);

// Pixels of the region whose channels are all above threshold (text, mostly).
int brightPixels(const Image& shot, Region region, int threshold = 130);
// Pixels of the region that differ visibly between two shots of one size.
int differingPixels(const Image& a, const Image& b, Region region);
// Pixels of the region darker in b than in a.
int darkerPixels(const Image& a, const Image& b, Region region);
// Pixels of the region of a that no pixel of b within radius pixels of it
// matches visibly: a difference of placement by less than radius, as a
// shot taken at another size and scaled back shows at every edge, is not
// counted; a missing, added or moved part is.
int unmatchedPixels(const Image& a, const Image& b, Region region, int radius);
// The region of a shot scaled to width by height, each pixel the mean of
// what it covers (RGB, rows bottom first).
Image scaledDown(const Image& shot, Region region, int width, int height);
