// gluBuild2DMipmaps's levels, made as GLU makes them: each level from the
// one before with a 2 by 2 box filter.
#include "gl11/gl11.h"

#include <algorithm>

namespace {
// One level to the next: 2 by 2 texels averaged with rounding; where a side
// has come down to 1, 2 texels averaged without.
std::vector<unsigned char> halved(const std::vector<unsigned char>& in, int width, int height, int size) {
    const int w = std::max(1, width / 2), h = std::max(1, height / 2);
    std::vector<unsigned char> out(static_cast<size_t>(w) * h * size);
    const auto at = [&](int x, int y, int c) { return in[(static_cast<size_t>(y) * width + x) * size + c]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < size; ++c) {
                int value;
                if (width == 1)
                    value = (at(0, 2 * y, c) + at(0, 2 * y + 1, c)) / 2;
                else if (height == 1)
                    value = (at(2 * x, 0, c) + at(2 * x + 1, 0, c)) / 2;
                else
                    value = (at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) +
                             at(2 * x + 1, 2 * y + 1, c) + 2) / 4;
                out[(static_cast<size_t>(y) * w + x) * size + c] = static_cast<unsigned char>(value);
            }
    return out;
}
}  // namespace

namespace gl11 {
std::vector<std::vector<unsigned char>> mipmapLevels(const unsigned char* picture, int width, int height,
                                                     int bytesPerTexel) {
    std::vector<std::vector<unsigned char>> levels;
    levels.emplace_back(picture, picture + static_cast<size_t>(width) * height * bytesPerTexel);
    while (width > 1 || height > 1) {
        levels.push_back(halved(levels.back(), width, height, bytesPerTexel));
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    return levels;
}
}  // namespace gl11
