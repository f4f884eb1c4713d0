// A small RGBA painting surface for the pictures made from data: shapes with
// antialiased edges, tileable noise, text through FreeType, PNG output.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "assets/image.h"

struct Colour {
    float r, g, b, a;
};

inline Colour rgb(int r, int g, int b, float a = 1.0f) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}
Colour mix(const Colour& a, const Colour& b, float t);

// A mask of coverage values 0..1 (used for text and soft shapes).
struct Mask {
    int width = 0, height = 0;
    std::vector<float> value;
    Mask(int w, int h) : width(w), height(h), value(static_cast<size_t>(w) * h, 0.0f) {}
    float at(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : value[static_cast<size_t>(y) * width + x];
    }
    float& operator()(int x, int y) { return value[static_cast<size_t>(y) * width + x]; }
    // Grows the mask by radius pixels (a disc-shaped maximum filter).
    Mask dilated(float radius) const;
    // Softens the mask with a box blur of the given radius, repeated.
    Mask blurred(int radius, int passes) const;
};

// Straight (not premultiplied) RGBA in floats; y grows downwards (row 0 is
// the top of the picture, as in the PNG file).
class Canvas {
public:
    Canvas(int width, int height, Colour fill = {0, 0, 0, 0});
    int width() const { return w; }
    int height() const { return h; }

    Colour get(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    void set(int x, int y, const Colour& c) { px[static_cast<size_t>(y) * w + x] = c; }
    // Composites c over the pixel with extra coverage.
    void blend(int x, int y, const Colour& c, float coverage);

    // Antialiased shapes, coordinates in pixels (pixel centres at +0.5).
    void fillPolygon(const std::vector<float>& xy, const Colour& c);
    void strokeLine(float x0, float y0, float x1, float y1, float width, const Colour& c);
    void fillEllipse(float cx, float cy, float rx, float ry, const Colour& c);
    void strokeEllipse(float cx, float cy, float rx, float ry, float width, const Colour& c);
    // Paints c through a mask placed with its top left at (x, y).
    void paintMask(const Mask& mask, int x, int y, const Colour& c);

    // Box-filtered resampling to another size (premultiplied averaging).
    Canvas resampled(int width, int height) const;

    // Writes an 8-bit PNG with 1 (grey), 2 (grey, alpha), 3 (RGB) or 4
    // (RGBA) channels; the same canvas always gives the same bytes.
    bool writePng(const std::string& path, int channels) const;
    // The same samples as a decoded picture, bottom row first.
    Image toImage(int channels) const;

private:
    void storeRow(int y, int channels, uint8_t* out) const;

    int w, h;
    std::vector<Colour> px;
};

// Deterministic hashing and tileable value noise with the given period.
uint32_t hash3(int32_t x, int32_t y, uint32_t seed);
float hashUnit(int32_t x, int32_t y, uint32_t seed);
// Value noise at (x, y) in lattice units, repeating every period units.
float tileNoise(float x, float y, int period, uint32_t seed);
// Sum of octaves of tileNoise, each twice the frequency at gain times the amplitude; 0..1.
float tileFbm(float x, float y, int period, int octaves, float gain, uint32_t seed);

// Text drawn with a TrueType face at a pixel size, the characters the face
// lacks by the fallback face of its weight (velmSetFallbackFamily: the
// Chinese, Japanese or Korean of a catalog).
class TextRenderer {
public:
    // The face in fontFile (a UTF-8 path); ok() is false when it cannot be read.
    explicit TextRenderer(const std::string& fontFile);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;
    bool ok() const { return !faces.empty(); }
    // Coverage mask of the text, its baseline at baselineY in the mask.
    Mask render(const std::string& text, int pixelSize, int& baselineY) const;
    float advance(const std::string& text, int pixelSize) const;
    // Whether a face of the chain has a glyph for the character.
    bool draws(uint32_t code) const;

    // A glyph of the text where it goes: its face in the chain, its index
    // in that face, its pen position in pixels from the text's start.
    struct PlacedGlyph {
        size_t face;
        unsigned index;
        float x;
    };
    // The text as glyphs in place, and its whole advance: the one step
    // from characters to glyphs, where shaping would go.
    std::vector<PlacedGlyph> placeGlyphs(const std::string& text, int pixelSize, float& advance) const;

private:
    std::vector<unsigned char> fontData;   // the face's file, which FreeType reads from memory
    std::shared_ptr<const std::vector<unsigned char>> fallbackData;
    void* library = nullptr;
    std::vector<void*> faces;   // the font's face, then its fallback
};
