// Writes the fuzzer's seed corpus: one small PNG for every colour type and
// bit depth PNG allows, plain and interlaced, some with a transparency chunk.
#include <cstdio>
#include <string>

#include "support/png_files.h"

namespace {
constexpr uint32_t seedWidth = 5, seedHeight = 3;   // odd, so rows end mid-byte

int samplesOf(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

PngSpec seed(int colourType, int depth, bool interlaced, bool transparency) {
    PngSpec spec{seedWidth, seedHeight, depth, colourType, {}, {}, {}};
    spec.interlaced = interlaced;
    const size_t rowBytes = (seedWidth * samplesOf(colourType) * depth + 7) / 8;
    for (uint32_t y = 0; y < seedHeight; ++y) {
        std::vector<png_byte> row(rowBytes);
        for (size_t i = 0; i < rowBytes; ++i)
            row[i] = static_cast<png_byte>(37 * i + 91 * y);
        spec.rows.push_back(row);
    }
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        // Every index a row can hold must be in the palette.
        for (int i = 0; i < (1 << depth); ++i)
            spec.palette.push_back({static_cast<png_byte>(i * 255 / ((1 << depth) - 1)),
                                    static_cast<png_byte>(128), static_cast<png_byte>(255 - i)});
        if (transparency)
            spec.transparency = {0, 128};
    } else if (transparency) {
        spec.rgbTransparency = true;
    }
    return spec;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    struct Kind {
        int colourType;
        std::vector<int> depths;
        const char* name;
    };
    const Kind kinds[] = {
        {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}, "grey"},
        {PNG_COLOR_TYPE_RGB, {8, 16}, "rgb"},
        {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}, "palette"},
        {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}, "greyalpha"},
        {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}, "rgba"},
    };
    int written = 0;
    for (const Kind& kind : kinds)
        for (int depth : kind.depths)
            for (int variant = 0; variant < 3; ++variant) {
                const bool interlaced = variant == 1;
                const bool transparency = variant == 2;
                // Only types without alpha take a transparency chunk.
                if (transparency && (kind.colourType & PNG_COLOR_MASK_ALPHA))
                    continue;
                const std::string path = std::string(argv[1]) + "/" + kind.name + "_" + std::to_string(depth) +
                                         (interlaced ? "_interlaced" : transparency ? "_trns" : "") + ".png";
                if (!writePng(path, seed(kind.colourType, depth, interlaced, transparency))) {
                    std::fprintf(stderr, "could not write %s\n", path.c_str());
                    return 1;
                }
                ++written;
            }
    std::printf("%d seeds\n", written);
    return 0;
}
