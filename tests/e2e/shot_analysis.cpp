// Screenshot statistics for the end-to-end tests.
#include "e2e/shot_analysis.h"

#include <algorithm>
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

int unmatchedPixels(const Image& a, const Image& b, Region region, int radius) {
    int count = 0;
    forEachPixel(region, [&](int x, int y) {
        const Rgb p = pixel(a, x, y);
        bool matched = false;
        for (int v = std::max(0, y - radius); v <= std::min<int>(b.height - 1, y + radius) && !matched; ++v)
            for (int u = std::max(0, x - radius); u <= std::min<int>(b.width - 1, x + radius) && !matched; ++u) {
                const Rgb q = pixel(b, u, v);
                matched = std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) <= visibleDifference;
            }
        count += !matched;
    });
    return count;
}

Image scaledDown(const Image& shot, Region region, int width, int height) {
    Image out;
    out.width = static_cast<uint32_t>(width);
    out.height = static_cast<uint32_t>(height);
    out.bitDepth = 8;
    out.channels = 3;
    out.pixels = new uint8_t[out.rowBytes() * out.height];
    const double sx = double(region.w) / width, sy = double(region.h) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // The source pixels under this one, each weighed by how much of it lies inside.
            double sum[3] = {0, 0, 0}, weight = 0;
            const double x0 = region.x + x * sx, x1 = x0 + sx, y0 = region.y + y * sy, y1 = y0 + sy;
            for (int v = static_cast<int>(y0); v < y1; ++v)
                for (int u = static_cast<int>(x0); u < x1; ++u) {
                    const double w = (std::min<double>(u + 1, x1) - std::max<double>(u, x0)) *
                                     (std::min<double>(v + 1, y1) - std::max<double>(v, y0));
                    const Rgb p = pixel(shot, u, v);
                    sum[0] += w * p.r;
                    sum[1] += w * p.g;
                    sum[2] += w * p.b;
                    weight += w;
                }
            uint8_t* o = out.pixels + (static_cast<size_t>(height - 1 - y) * width + x) * 3;
            for (int c = 0; c < 3; ++c)
                o[c] = static_cast<uint8_t>(std::lround(sum[c] / weight));
        }
    return out;
}
