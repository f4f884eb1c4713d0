// The picture generator's painting surface.
#include "assets/canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "velmkit/velm_file.h"
#include "velmkit/velm_font.h"
#include "velmkit/velm_text.h"

Colour mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Mask Mask::dilated(float radius) const {
    Mask out(width, height);
    const int r = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    if (d > radius + 0.5f)
                        continue;
                    const float edge = std::min(1.0f, radius + 0.5f - d);
                    best = std::max(best, at(x + dx, y + dy) * edge);
                }
            out(x, y) = best;
        }
    return out;
}

Mask Mask::blurred(int radius, int passes) const {
    Mask a = *this;
    for (int p = 0; p < passes; ++p) {
        Mask b(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                float sum = 0;
                for (int d = -radius; d <= radius; ++d)
                    sum += a.at(x + d, y);
                b(x, y) = sum / (2 * radius + 1);
            }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                float sum = 0;
                for (int d = -radius; d <= radius; ++d)
                    sum += b.at(x, y + d);
                a(x, y) = sum / (2 * radius + 1);
            }
    }
    return a;
}

Canvas::Canvas(int width, int height, Colour fill)
    : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h || coverage <= 0)
        return;
    Colour& d = px[static_cast<size_t>(y) * w + x];
    const float sa = c.a * std::min(coverage, 1.0f);
    const float oa = sa + d.a * (1 - sa);
    if (oa <= 0) {
        d = {0, 0, 0, 0};
        return;
    }
    d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
    d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
    d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
    d.a = oa;
}

namespace {
constexpr int coverageSamples = 4;   // per axis, for polygon edges

bool insidePolygon(const std::vector<float>& xy, float x, float y) {
    bool inside = false;
    const size_t n = xy.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

float segmentDistance(float px, float py, float x0, float y0, float x1, float y1) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0;
    t = std::max(0.0f, std::min(1.0f, t));
    const float ex = x0 + t * dx - px, ey = y0 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}
}  // namespace

void Canvas::fillPolygon(const std::vector<float>& xy, const Colour& c) {
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (size_t i = 0; i < xy.size(); i += 2) {
        minX = std::min(minX, xy[i]);
        maxX = std::max(maxX, xy[i]);
        minY = std::min(minY, xy[i + 1]);
        maxY = std::max(maxY, xy[i + 1]);
    }
    for (int y = std::max(0, static_cast<int>(minY)); y <= std::min(h - 1, static_cast<int>(maxY)); ++y)
        for (int x = std::max(0, static_cast<int>(minX)); x <= std::min(w - 1, static_cast<int>(maxX)); ++x) {
            int hits = 0;
            for (int sy = 0; sy < coverageSamples; ++sy)
                for (int sx = 0; sx < coverageSamples; ++sx)
                    hits += insidePolygon(xy, x + (sx + 0.5f) / coverageSamples,
                                          y + (sy + 0.5f) / coverageSamples);
            blend(x, y, c, static_cast<float>(hits) / (coverageSamples * coverageSamples));
        }
}

void Canvas::strokeLine(float x0, float y0, float x1, float y1, float width, const Colour& c) {
    const float r = width / 2;
    const int left = static_cast<int>(std::floor(std::min(x0, x1) - r - 1));
    const int right = static_cast<int>(std::ceil(std::max(x0, x1) + r + 1));
    const int top = static_cast<int>(std::floor(std::min(y0, y1) - r - 1));
    const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + r + 1));
    for (int y = std::max(0, top); y <= std::min(h - 1, bottom); ++y)
        for (int x = std::max(0, left); x <= std::min(w - 1, right); ++x) {
            const float d = segmentDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1);
            blend(x, y, c, std::max(0.0f, std::min(1.0f, r + 0.5f - d)));
        }
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, const Colour& c) {
    for (int y = std::max(0, static_cast<int>(cy - ry - 1)); y <= std::min(h - 1, static_cast<int>(cy + ry + 1)); ++y)
        for (int x = std::max(0, static_cast<int>(cx - rx - 1)); x <= std::min(w - 1, static_cast<int>(cx + rx + 1)); ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float d = (std::sqrt(dx * dx + dy * dy) - 1) * std::min(rx, ry);
            blend(x, y, c, std::max(0.0f, std::min(1.0f, 0.5f - d)));
        }
}

void Canvas::strokeEllipse(float cx, float cy, float rx, float ry, float width, const Colour& c) {
    const float half = width / 2;
    for (int y = std::max(0, static_cast<int>(cy - ry - width)); y <= std::min(h - 1, static_cast<int>(cy + ry + width)); ++y)
        for (int x = std::max(0, static_cast<int>(cx - rx - width)); x <= std::min(w - 1, static_cast<int>(cx + rx + width)); ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float d = std::fabs((std::sqrt(dx * dx + dy * dy) - 1) * std::min(rx, ry));
            blend(x, y, c, std::max(0.0f, std::min(1.0f, half + 0.5f - d)));
        }
}

void Canvas::paintMask(const Mask& mask, int x0, int y0, const Colour& c) {
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            blend(x0 + x, y0 + y, c, mask.at(x, y));
}

Canvas Canvas::resampled(int width, int height) const {
    Canvas out(width, height);
    const double sx = static_cast<double>(w) / width, sy = static_cast<double>(h) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
            double r = 0, g = 0, b = 0, a = 0, total = 0;
            for (int v = static_cast<int>(y0); v < static_cast<int>(std::ceil(y1)) && v < h; ++v) {
                const double wy = std::min<double>(v + 1, y1) - std::max<double>(v, y0);
                for (int u = static_cast<int>(x0); u < static_cast<int>(std::ceil(x1)) && u < w; ++u) {
                    const double weight = wy * (std::min<double>(u + 1, x1) - std::max<double>(u, x0));
                    const Colour& p = px[static_cast<size_t>(v) * w + u];
                    r += p.r * p.a * weight;
                    g += p.g * p.a * weight;
                    b += p.b * p.a * weight;
                    a += p.a * weight;
                    total += weight;
                }
            }
            Colour& o = out.px[static_cast<size_t>(y) * width + x];
            o.a = static_cast<float>(a / total);
            if (a > 0) {
                o.r = static_cast<float>(r / a);
                o.g = static_cast<float>(g / a);
                o.b = static_cast<float>(b / a);
            }
        }
    return out;
}

void Canvas::storeRow(int y, int channels, uint8_t* out) const {
    auto byte = [](float v) {
        return static_cast<uint8_t>(std::lround(std::max(0.0f, std::min(1.0f, v)) * 255.0f));
    };
    for (int x = 0; x < w; ++x) {
        const Colour& p = px[static_cast<size_t>(y) * w + x];
        uint8_t* o = out + static_cast<size_t>(x) * channels;
        const float grey = 0.299f * p.r + 0.587f * p.g + 0.114f * p.b;
        switch (channels) {
        case 1: o[0] = byte(grey); break;
        case 2: o[0] = byte(grey); o[1] = byte(p.a); break;
        case 3: o[0] = byte(p.r); o[1] = byte(p.g); o[2] = byte(p.b); break;
        default: o[0] = byte(p.r); o[1] = byte(p.g); o[2] = byte(p.b); o[3] = byte(p.a); break;
        }
    }
}

Image Canvas::toImage(int channels) const {
    Image image;
    image.width = static_cast<uint32_t>(w);
    image.height = static_cast<uint32_t>(h);
    image.bitDepth = 8;
    image.channels = static_cast<uint8_t>(channels);
    image.pixels = new uint8_t[image.rowBytes() * image.height];
    for (int y = 0; y < h; ++y)   // the GL's rows go bottom first
        storeRow(y, channels, image.pixels + image.rowBytes() * static_cast<size_t>(h - 1 - y));
    return image;
}

bool Canvas::writePng(const std::string& path, int channels) const {
    FILE* file = velmOpenFile(path, "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    const int type = channels == 1   ? PNG_COLOR_TYPE_GRAY
                     : channels == 2 ? PNG_COLOR_TYPE_GRAY_ALPHA
                     : channels == 3 ? PNG_COLOR_TYPE_RGB
                                     : PNG_COLOR_TYPE_RGB_ALPHA;
    png_set_IHDR(png, info, w, h, 8, type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(w) * channels);
    for (int y = 0; y < h; ++y) {
        storeRow(y, channels, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

uint32_t hash3(int32_t x, int32_t y, uint32_t seed) {
    uint32_t hv = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^
                  static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    hv ^= hv >> 15;
    hv *= 0x2C1B3C6Du;
    hv ^= hv >> 12;
    hv *= 0x297A2D39u;
    hv ^= hv >> 15;
    return hv;
}

float hashUnit(int32_t x, int32_t y, uint32_t seed) { return (hash3(x, y, seed) & 0xFFFFFF) / 16777215.0f; }

float tileNoise(float x, float y, int period, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0, fy = y - y0;
    auto wrap = [period](int v) { return ((v % period) + period) % period; };
    auto smooth = [](float t) { return t * t * (3 - 2 * t); };
    const float a = hashUnit(wrap(x0), wrap(y0), seed), b = hashUnit(wrap(x0 + 1), wrap(y0), seed);
    const float c = hashUnit(wrap(x0), wrap(y0 + 1), seed), d = hashUnit(wrap(x0 + 1), wrap(y0 + 1), seed);
    const float sx = smooth(fx), sy = smooth(fy);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

float tileFbm(float x, float y, int period, int octaves, float gain, uint32_t seed) {
    float sum = 0, amplitude = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * tileNoise(x, y, period, seed + o * 101u);
        total += amplitude;
        amplitude *= gain;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / total;
}

namespace {
// Far beyond any face the labels are set in (a whole CJK face is 20 MB).
constexpr long maxFontBytes = 64l << 20;

// The whole font file, read by the program's own file call: FreeType's own
// opening takes a narrow path, which on Windows cannot name every folder.
std::vector<unsigned char> fontBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* file = velmOpenFile(path, "rb");
    if (file == nullptr)
        return bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0 && (size = std::ftell(file)) > 0 && size <= maxFontBytes &&
        std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
            bytes.clear();
    }
    std::fclose(file);
    return bytes;
}
}  // namespace

TextRenderer::TextRenderer(const std::string& fontFile) : fontData(fontBytes(fontFile)) {
    FT_Library lib = nullptr;
    if (fontData.empty() || FT_Init_FreeType(&lib) != 0)
        return;
    library = lib;
    FT_Face f = nullptr;
    if (FT_New_Memory_Face(lib, fontData.data(), static_cast<FT_Long>(fontData.size()), 0, &f) != 0)
        return;
    faces.push_back(f);
    fallbackData = velmFallbackFaceBytes((f->style_flags & FT_STYLE_FLAG_BOLD) != 0);
    FT_Face fallback = nullptr;
    if (fallbackData != nullptr &&
        FT_New_Memory_Face(lib, fallbackData->data(), static_cast<FT_Long>(fallbackData->size()), 0, &fallback) == 0)
        faces.push_back(fallback);
}

TextRenderer::~TextRenderer() {
    for (void* f : faces)
        FT_Done_Face(static_cast<FT_Face>(f));
    if (library != nullptr)
        FT_Done_FreeType(static_cast<FT_Library>(library));
}

bool TextRenderer::draws(uint32_t code) const {
    for (void* f : faces)
        if (FT_Get_Char_Index(static_cast<FT_Face>(f), code) != 0)
            return true;
    return false;
}

std::vector<TextRenderer::PlacedGlyph> TextRenderer::placeGlyphs(const std::string& text, int pixelSize,
                                                                 float& advance) const {
    std::vector<PlacedGlyph> glyphs;
    advance = 0;
    const auto has = [&](int f, uint32_t code) {
        return FT_Get_Char_Index(static_cast<FT_Face>(faces[static_cast<size_t>(f)]), code) != 0;
    };
    for (const VelmTextRun& run : velmTextRuns(text, static_cast<int>(faces.size()), has)) {
        auto f = static_cast<FT_Face>(faces[static_cast<size_t>(run.face)]);
        FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
        for (const VelmCharacter& c : velmCharacters(run.text)) {
            const unsigned index = FT_Get_Char_Index(f, c.code);
            if (FT_Load_Glyph(f, index, FT_LOAD_DEFAULT) != 0)
                continue;
            glyphs.push_back({static_cast<size_t>(run.face), index, advance});
            advance += f->glyph->advance.x / 64.0f;
        }
    }
    return glyphs;
}

float TextRenderer::advance(const std::string& text, int pixelSize) const {
    float width = 0;
    if (ok())
        placeGlyphs(text, pixelSize, width);
    return width;
}

Mask TextRenderer::render(const std::string& text, int pixelSize, int& baselineY) const {
    baselineY = 0;
    if (!ok())
        return Mask(0, 0);
    float width = 0;
    const std::vector<PlacedGlyph> glyphs = placeGlyphs(text, pixelSize, width);
    // The line's height is the font's own face's: a fallback's glyphs sit
    // on the same baseline.
    auto own = static_cast<FT_Face>(faces[0]);
    FT_Set_Pixel_Sizes(own, 0, static_cast<FT_UInt>(pixelSize));
    const int ascent = static_cast<int>(std::ceil(own->size->metrics.ascender / 64.0));
    const int descent = static_cast<int>(std::ceil(-own->size->metrics.descender / 64.0));
    Mask mask(static_cast<int>(std::ceil(width)) + 4, ascent + descent + 2);
    baselineY = ascent + 1;
    for (const PlacedGlyph& g : glyphs) {
        auto f = static_cast<FT_Face>(faces[g.face]);
        FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
        if (FT_Load_Glyph(f, g.index, FT_LOAD_RENDER) != 0)
            continue;
        const FT_Bitmap& bm = f->glyph->bitmap;
        const int left = static_cast<int>(std::lround(1 + g.x)) + f->glyph->bitmap_left;
        const int top = baselineY - f->glyph->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                if (x >= 0 && y >= 0 && x < mask.width && y < mask.height)
                    mask(x, y) = std::max(mask(x, y), bm.buffer[row * bm.pitch + col] / 255.0f);
            }
    }
    return mask;
}
