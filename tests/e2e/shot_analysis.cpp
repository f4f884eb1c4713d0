// Screenshot statistics for the end-to-end tests.
#include "e2e/shot_analysis.h"

#include <cmath>
#include <cstdlib>

namespace {
// Summed channel difference above which two pixels count as different.
constexpr int visibleDifference = 24;

int luma(Rgb p) { return (p.r * 299 + p.g * 587 + p.b * 114) / 1000; }

template <typename F>
void forEachPixel(Region r, F f) {
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            f(x, y);
}
}  // namespace

Rgb pixel(const Image& shot, int x, int y) {
    const int row = static_cast<int>(shot.height) - 1 - y;
    const uint8_t* p = shot.pixels + (static_cast<size_t>(row) * shot.width + x) * shot.channels;
    return {p[0], p[1], p[2]};
}

RegionStats regionStats(const Image& shot, Region region) {
    RegionStats s;
    double sumLuma = 0, sumLuma2 = 0;
    forEachPixel(region, [&](int x, int y) {
        const Rgb p = pixel(shot, x, y);
        s.meanR += p.r;
        s.meanG += p.g;
        s.meanB += p.b;
        const double l = luma(p);
        sumLuma += l;
        sumLuma2 += l * l;
        ++s.pixels;
    });
    if (s.pixels == 0)
        return s;
    s.meanR /= s.pixels;
    s.meanG /= s.pixels;
    s.meanB /= s.pixels;
    const double mean = sumLuma / s.pixels;
    s.lumaDeviation = std::sqrt(std::max(0.0, sumLuma2 / s.pixels - mean * mean));
    return s;
}

int brightPixels(const Image& shot, Region region, int threshold) {
    int count = 0;
    forEachPixel(region, [&](int x, int y) {
        const Rgb p = pixel(shot, x, y);
        count += p.r > threshold && p.g > threshold && p.b > threshold;
    });
    return count;
}

int differingPixels(const Image& a, const Image& b, Region region) {
    int count = 0;
    forEachPixel(region, [&](int x, int y) {
        const Rgb p = pixel(a, x, y), q = pixel(b, x, y);
        count += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > visibleDifference;
    });
    return count;
}

int darkerPixels(const Image& a, const Image& b, Region region) {
    int count = 0;
    forEachPixel(region, [&](int x, int y) { count += luma(pixel(b, x, y)) < luma(pixel(a, x, y)); });
    return count;
}
