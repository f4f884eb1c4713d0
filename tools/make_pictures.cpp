// Writes the twelve pictures of Corvane Zone into a folder (default: data).
// Deterministic: the same fonts and libraries give the same bytes every run.
#include <dirent.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/canvas.h"
#include "assets/feature_labels.h"
#include "assets/features_picture.h"
#include "tools/po_file.h"
#include "assets/scene_projection.h"
#include "animation/animation.h"
#include "animation/vent_cone.h"
#include "velmkit/velm_font.h"
#include "velmkit/velm_text.h"
#include "assets/language_faces.h"

namespace {
constexpr float pi = 3.14159265f;
constexpr int supersample = 2;   // full-window pictures are painted at twice the design size

float clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }
float smoothstep(float a, float b, float v) {
    const float t = clamp01((v - a) / (b - a));
    return t * t * (3 - 2 * t);
}

// Fills a tileable texture from a function of (u, v) in 0..1, v = 0 at the
// picture's bottom row (texture t = 0).
Canvas texture(int size, const std::function<Colour(float, float)>& shade) {
    Canvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            c.set(x, y, shade((x + 0.5f) / size, 1.0f - (y + 0.5f) / size));
    return c;
}

Colour shadeBy(const Colour& c, float f) { return {c.r * f, c.g * f, c.b * f, c.a}; }

// ---- Tileable surface textures -------------------------------------------------

Canvas rockPicture() {
    // A light base with broad dark streaks across the direction of flow (s),
    // 10 to 30 texels wide: the scene draws the rock at half brightness and
    // the light takes more, so only strong contrast shows the flow.
    const Colour light = rgb(246, 242, 234), dark = rgb(136, 126, 116);
    return texture(256, [&](float u, float v) {
        const float wave = (tileFbm(u * 2, v * 4, 2, 3, 0.5f, 14) - 0.5f) * 0.10f;
        const float band = u * 9 + wave * 9;   // nine streaks per repeat, each about 28 texels apart
        const float within = band - std::floor(band);
        const int index = static_cast<int>(std::floor(band));
        const float width = 0.35f + 0.5f * hashUnit(((index % 9) + 9) % 9, 0, 15);   // 10 to 24 texels
        const float streak = 1 - smoothstep(width * 0.35f, width * 0.5f, std::fabs(within - 0.5f));
        const float grain = tileFbm(u * 16, v * 16, 16, 3, 0.5f, 11);
        Colour c = mix(light, dark, clamp01(streak * (0.75f + 0.3f * grain)));
        const float speck = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 13);
        if (speck > 0.95f)
            c = shadeBy(c, 0.8f);
        return c;
    });
}

Canvas landPicture() {
    // t = 0 is the land's top edge on the cut face and the foot of the cones:
    // a thin soil, far thinner than the oceanic crust, then continental rock
    // down the cut face (which reaches t = 0.53 at most); no grass runs down it. The rows
    // above are never on the cut face, only on the land's top, and hold
    // meadow, so that the top reads as fields with strips of bare earth.
    const Colour soil = rgb(112, 82, 54), soilDark = rgb(80, 58, 40);
    const Colour rock = rgb(214, 200, 176), rockDark = rgb(170, 154, 132);
    const Colour meadow = rgb(120, 156, 76), meadowDark = rgb(86, 122, 56);
    return texture(256, [&](float u, float v) {
        const float wobble = (tileFbm(u * 8, 0.5f, 8, 3, 0.5f, 21) - 0.5f) * 0.04f;
        const float n = tileFbm(u * 8, v * 8, 8, 5, 0.55f, 22);
        const float fine = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 23);
        const float soilLine = 0.014f + std::fabs(wobble) * 0.2f;
        const float rockEnd = 0.56f + wobble, meadowStart = 0.64f + wobble;
        if (v < soilLine) {
            const Colour c = mix(soilDark, soil, n);
            return fine > 0.9f ? mix(c, rgb(60, 44, 30), 0.6f) : c;
        }
        if (v < rockEnd) {
            // Light granite-like rock, speckled dark and light.
            const Colour c = mix(rockDark, rock, clamp01(0.3f + 0.9f * (n - 0.3f)));
            if (fine > 0.9f)
                return mix(c, rgb(70, 62, 56), 0.6f);
            return fine < 0.06f ? mix(c, rgb(250, 246, 236), 0.6f) : c;
        }
        if (v < meadowStart)
            return mix(soilDark, soil, n);
        const float patch = tileFbm(u * 4, v * 4, 4, 4, 0.5f, 24);
        const Colour c = mix(meadowDark, meadow, clamp01(patch * 1.4f - 0.2f));
        return fine > 0.9f ? mix(c, rgb(150, 180, 96), 0.5f) : c;
    });
}

Canvas sedimentPicture() {
    // Layered sand and silt: bands across t of varying thickness and tone.
    const Colour sand = rgb(214, 186, 132), silt = rgb(150, 132, 106), clay = rgb(118, 104, 88);
    return texture(256, [&](float u, float v) {
        const float warp = (tileFbm(u * 4, v * 4, 4, 3, 0.5f, 31) - 0.5f) * 0.08f;
        const float band = v * 16 + warp * 16;   // thin beds, so that several show on the wedge
        const float layer = band - std::floor(band);
        const int index = static_cast<int>(std::floor(band));
        const float pick = hashUnit(((index % 16) + 16) % 16, 0, 32);
        Colour c = pick < 0.45f ? sand : pick < 0.8f ? silt : clay;
        c = mix(c, shadeBy(c, 0.8f), smoothstep(0.8f, 1.0f, layer));   // darker base of each bed
        const float grain = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 33);
        return mix(c, shadeBy(c, 0.75f + 0.5f * grain), 0.35f);
    });
}

Canvas crustPicture() {
    // Rock at depth: grainy olive-grey, light enough to read on the cut faces.
    const Colour light = rgb(210, 208, 184), dark = rgb(150, 148, 124), grain = rgb(100, 98, 82);
    return texture(256, [&](float u, float v) {
        const float n = tileFbm(u * 8, v * 8, 8, 5, 0.55f, 41);
        Colour c = mix(dark, light, clamp01(n * 1.4f - 0.2f));
        const float fine = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 43);
        if (fine > 0.9f)
            c = mix(c, grain, 0.55f);
        else if (fine < 0.05f)
            c = mix(c, rgb(250, 250, 240), 0.5f);
        return c;
    });
}

Canvas magmaPicture() {
    // Glowing molten rock: dark chilled skin cut by bright cracks (cell edges).
    return texture(256, [&](float u, float v) {
        const int cells = 6;
        float first = 9, second = 9;
        for (int cy = -1; cy <= cells; ++cy)
            for (int cx = -1; cx <= cells; ++cx) {
                const int wx = (cx + cells) % cells, wy = (cy + cells) % cells;
                const float px = (cx + hashUnit(wx, wy, 51)) / cells, py = (cy + hashUnit(wx, wy, 52)) / cells;
                const float d = std::hypot(u - px, v - py);
                if (d < first) {
                    second = first;
                    first = d;
                } else if (d < second) {
                    second = d;
                }
            }
        const float edge = clamp01(1 - (second - first) * 18);
        const float heat = tileFbm(u * 5, v * 5, 5, 4, 0.5f, 53);
        Colour skin = mix(rgb(40, 14, 8), rgb(110, 30, 10), heat);
        Colour glow = mix(rgb(255, 90, 10), rgb(255, 230, 120), edge * edge);
        return mix(skin, glow, clamp01(edge * 1.2f + heat * 0.3f - 0.1f));
    });
}

// ---- Full-window pictures --------------------------------------------------------

// Full-window pictures are painted at twice the design's size and stored at
// 1024 by 512, stretched over the window.
WindowPainter windowPainter() { return WindowPainter(designWidth * supersample, designHeight * supersample); }
Canvas stored(const WindowPainter& p) { return p.canvas.resampled(1024, 512); }

Canvas underlayPicture() {
    // Sky above the block's far edge, the mantle's rock below the plates.
    WindowPainter p = windowPainter();
    Canvas& c = p.canvas;
    const float horizon = projectModel(0.0f, -0.07f, -2.0f).y - 14;   // hidden behind the model
    for (int y = 0; y < c.height(); ++y) {
        const float wy = designHeight - (y + 0.5f) / supersample;
        for (int x = 0; x < c.width(); ++x) {
            const float wx = (x + 0.5f) / supersample;
            Colour col;
            if (wy > horizon) {
                const float t = clamp01((wy - horizon) / (designHeight - horizon));
                col = mix(rgb(206, 226, 240), rgb(70, 120, 178), std::pow(t, 0.8f));
                const float cloud = tileFbm(wx / 90, wy / 40, 64, 4, 0.5f, 61);
                col = mix(col, rgb(245, 248, 252), clamp01((cloud - 0.58f) * 2.5f) * (0.35f + 0.4f * t));
            } else {
                // Hot but solid rock: a muted brown-ochre, grainy, never glowing.
                const float depth = clamp01((horizon - wy) / horizon);
                const float grain = tileFbm(wx / 40, wy / 30, 64, 5, 0.55f, 62);
                col = mix(rgb(98, 70, 46), rgb(150, 108, 64), clamp01(0.45f + depth * 0.25f + (grain - 0.5f) * 0.8f));
            }
            c.set(x, y, col);
        }
    }
    return stored(p);
}

// A soft-edged rectangle of darkness, in design pixels.
void shadeBand(WindowPainter& p, float left, float bottom, float right, float top, float alpha) {
    Mask m(p.canvas.width(), p.canvas.height());
    for (int y = static_cast<int>(p.cy(top)); y < static_cast<int>(p.cy(bottom)); ++y)
        for (int x = static_cast<int>(p.cx(left)); x < static_cast<int>(p.cx(right)); ++x)
            if (x >= 0 && y >= 0 && x < m.width && y < m.height)
                m(x, y) = 1;
    p.canvas.paintMask(m.blurred(14, 4), 0, 0, {0, 0, 0, alpha});
}

// The front volcano's faces as the scene draws them: the first cone, cut
// through along the front face, in design pixels.
std::vector<std::vector<WindowPoint>> frontConeFaces() {
    const std::vector<ConeVertex> v = coneVertices(coneShape(1.0f, 0.5f));
    std::vector<std::vector<WindowPoint>> faces;
    for (size_t i = 0; i + 3 < v.size(); i += 4) {
        faces.emplace_back();
        for (size_t k = 0; k < 4; ++k)
            faces.back().push_back(projectModel(firstVentPosition[0] + v[i + k].position[0],
                                                firstVentPosition[1] + v[i + k].position[1],
                                                firstVentPosition[2] + v[i + k].position[2]));
    }
    return faces;
}

Canvas overlayPicture() {
    WindowPainter p = windowPainter();
    Canvas& c = p.canvas;
    // Vignette: darker towards the corners.
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const float dx = (x + 0.5f) / c.width() * 2 - 1, dy = (y + 0.5f) / c.height() * 2 - 1;
            const float r = std::sqrt(dx * dx * 0.8f + dy * dy * 0.9f);
            c.set(x, y, {0.02f, 0.03f, 0.06f, 0.24f * smoothstep(0.85f, 1.5f, r)});
        }
    // Quiet bands under the title and check box, and under the logo and address.
    shadeBand(p, -20, 388, 230, 500, 0.30f);
    shadeBand(p, -20, 396, 150, 500, 0.12f);
    shadeBand(p, 480, -20, 660, 76, 0.15f);
    paintPlainView(p, frontConeFaces());
    return stored(p);
}

// ---- Sprites and the logo --------------------------------------------------------

Canvas smokePicture() {
    // A soft grey plume rising from its base at the bottom, 52% across.
    const int size = 256;
    Mask density(size, size);
    for (int i = 0; i < 110; ++i) {
        const float t = std::pow(i / 109.0f, 0.85f);   // 0 at the base, 1 at the top
        const float y = size - 8 - t * (size - 70);
        const float drift = std::sin(t * 3.2f + 0.4f) * 16 * t + 12 * t * t;
        const float x = size * 0.52f + drift + (hashUnit(i, 0, 71) - 0.5f) * 40 * t;
        const float r = 7 + t * 60 * (0.7f + 0.6f * hashUnit(i, 1, 71));
        for (int yy = static_cast<int>(y - r); yy <= static_cast<int>(y + r); ++yy)
            for (int xx = static_cast<int>(x - r); xx <= static_cast<int>(x + r); ++xx) {
                if (xx < 0 || yy < 0 || xx >= size || yy >= size)
                    continue;
                const float d = std::hypot(xx + 0.5f - x, yy + 0.5f - y) / r;
                if (d < 1)
                    density(xx, yy) += 0.075f * (1 - d * d) * (1 - d * d);
            }
    }
    Canvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float t = 1.0f - (y + 0.5f) / size;
            const float wisp = tileFbm(x / 20.0f, y / 16.0f, 32, 5, 0.6f, 72);
            float a = clamp01(density.at(x, y) * (0.15f + 2.2f * wisp * wisp) - 0.04f);
            a *= 1 - smoothstep(0.7f, 1.0f, t);   // thins out at the top
            // Transparent edges keep the clamped sprite clean.
            const float edge = std::min(std::min(x, size - 1 - x), std::min(y, size - 1 - y));
            a *= clamp01(edge / 4.0f);
            const float grey = 0.46f + 0.3f * t + 0.12f * wisp;
            c.set(x, y, {grey, grey, grey, a * 0.9f});
        }
    return c;
}

Canvas seepagePicture() {
    // Hot fluid running down from the rim (about 19% below the top edge, 49%
    // across) over the cone's flanks, fading as it goes.
    const int w = 128, h = 64;
    Canvas c(w, h);
    const float startX = 0.488f * w, startY = 0.19f * h;
    for (int s = 0; s < 7; ++s) {
        const float spread = (s - 3) / 3.0f;
        float x = startX + spread * 4, y = startY;
        float width = 3.2f - std::fabs(spread) * 0.8f;
        while (y < h - 2 && width > 0.6f) {
            const float nx = x + spread * 1.1f + (tileNoise(y / 6.0f, s * 3.0f, 64, 81) - 0.5f) * 1.6f;
            const float ny = y + 1.0f;
            const float fade = 1 - (y - startY) / (h - startY);
            c.strokeLine(nx, ny, x, y, width + 2.0f, rgb(120, 20, 0, 0.35f * fade));
            c.strokeLine(nx, ny, x, y, width, mix(rgb(200, 40, 0), rgb(255, 200, 60), fade * 0.8f));
            x = nx;
            y = ny;
            width -= 0.035f + 0.02f * hashUnit(s, static_cast<int>(y), 82);
        }
    }
    // Molten rock welling up in the vent's mouth (its middle lies 8 pixels
    // right of the anchor, which is the rim's left point): the cone is drawn
    // after its sprites, so this glow above the rim is what shows of the seepage.
    const float mouthX = startX + 8;
    Mask halo(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float d = std::hypot((x + 0.5f - mouthX) / 22.0f, (y + 0.5f - startY) / 10.0f);
            halo(x, y) = d < 1 ? (1 - d) * (1 - d) : 0;
        }
    c.paintMask(halo, 0, 0, rgb(255, 120, 20, 0.8f));
    c.fillEllipse(mouthX, startY, 13, 6, rgb(230, 70, 10, 0.95f));
    c.fillEllipse(mouthX, startY - 1, 9, 4, rgb(255, 170, 40, 0.95f));
    c.fillEllipse(mouthX, startY - 1.5f, 5, 2.2f, rgb(255, 240, 160, 0.95f));
    for (int y = 0; y < h; ++y)   // nothing touches the clamped edge
        for (int x = 0; x < w; ++x)
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                c.set(x, y, {0, 0, 0, 0});
    return c;
}

Canvas arrowPicture() {
    // A white arrow pointing to s = 0 (left), tinted by the scene.
    const int w = 256, h = 64;
    Canvas c(w, h);
    const float mid = h / 2.0f;
    const std::vector<float> shape = {2, mid, 62, 2, 62, mid - 13, 252, mid - 13,
                                      252, mid + 13, 62, mid + 13, 62, h - 2.0f};
    c.fillPolygon(shape, rgb(255, 255, 255, 0.95f));
    // A lighter core line gives the shaft some depth.
    c.strokeLine(20, mid, 248, mid, 7, rgb(255, 255, 255, 0.6f));
    return c;
}

// The logo at size by size pixels (64 in the window), over fill.
Canvas logoPicture(int size = 64, Colour fill = {0, 0, 0, 0}) {
    // The letter Q as a ring with a tail, light on a faint dark halo.
    const float s = size / 64.0f;
    Canvas c(size, size, fill);
    const float cx = 31 * s, cy = 30 * s;
    c.fillEllipse(cx, cy + 1 * s, 28 * s, 28 * s, rgb(0, 10, 20, 0.45f));
    c.strokeEllipse(cx, cy, 22 * s, 22 * s, 9 * s, rgb(20, 40, 60, 0.85f));
    c.strokeLine(cx + 8 * s, cy + 9 * s, cx + 25 * s, cy + 26 * s, 11 * s, rgb(20, 40, 60, 0.85f));
    Canvas ring(size, size);
    ring.strokeEllipse(cx, cy, 22 * s, 22 * s, 6.5f * s, {1, 1, 1, 1});
    ring.strokeLine(cx + 9 * s, cy + 10 * s, cx + 24 * s, cy + 25 * s, 8 * s, {1, 1, 1, 1});
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Colour r = ring.get(x, y);
            const float t = (y + 0.5f) / size;   // top light cyan, bottom deeper teal
            c.blend(x, y, mix(rgb(220, 248, 255), rgb(60, 190, 210), t), r.a);
        }
    return c;
}

// The web page's icon at size by size pixels: the logo on the page's own
// dark blue, every pixel opaque, the logo within the middle four fifths
// that a launcher's mask keeps.
Canvas iconPicture(int size) {
    const int inner = size * 4 / 5, margin = (size - inner) / 2;
    const Canvas logo = logoPicture(inner, rgb(13, 26, 43));
    Canvas icon(size, size, rgb(13, 26, 43));
    for (int y = 0; y < inner; ++y)
        for (int x = 0; x < inner; ++x)
            icon.set(margin + x, margin + y, logo.get(x, y));
    return icon;
}

// The languages with a catalog in folder, by name: "de", "es", ...
std::vector<std::string> translatedLanguages(const std::string& folder) {
    std::vector<std::string> languages;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 3 && name.compare(name.size() - 3, 3, ".po") == 0)
                languages.push_back(name.substr(0, name.size() - 3));
        }
        closedir(dir);
    }
    std::sort(languages.begin(), languages.end());   // the same order every run
    return languages;
}

bool save(const Canvas& canvas, const std::string& folder, const char* name, int channels) {
    const std::string path = folder + "/" + name;
    if (!canvas.writePng(path, channels)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
// Whether the faces the program draws a catalog's texts in (its bold and
// regular weights, each with its fallback) have a glyph for every character
// of every translation: none is drawn as an empty box.
bool everyGlyphDrawn(const std::map<std::string, std::string>& texts, const TextRenderer& bold,
                     const TextRenderer& regular) {
    bool ok = true;
    for (const auto& [english, translated] : texts)
        for (const VelmCharacter& c : velmCharacters(translated))
            if (c.code != '\n' && (!bold.draws(c.code) || !regular.draws(c.code))) {
                std::fprintf(stderr, "no face draws U+%04X, in \"%s\"\n", static_cast<unsigned>(c.code),
                             translated.c_str());
                ok = false;
            }
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    // make_pictures --icons FOLDER: the web page's icons only.
    if (argc == 3 && std::string(argv[1]) == "--icons")
        return save(iconPicture(192), argv[2], "icon-192.png", 3) && save(iconPicture(512), argv[2], "icon-512.png", 3)
                   ? 0
                   : 1;
    // The pictures' folder, and the translations' (one features picture per language).
    const std::string folder = argc > 1 ? argv[1] : "data";
    const std::string poFolder = argc > 2 ? argv[2] : "po";
    const std::string fontFile = velmResolveFontFile(labelFontFile);
    auto font = std::make_unique<TextRenderer>(fontFile);
    if (!font->ok()) {
        std::fprintf(stderr, "no font for the labels (asked fontconfig, got '%s')\n", fontFile.c_str());
        return 1;
    }
    bool ok = true;
    ok &= save(rockPicture(), folder, "rock.png", 3);
    ok &= save(landPicture(), folder, "land.png", 3);
    ok &= save(magmaPicture(), folder, "magma.png", 3);
    ok &= save(sedimentPicture(), folder, "sediment.png", 3);
    ok &= save(crustPicture(), folder, "crust.png", 3);
    ok &= save(underlayPicture(), folder, "corvane_underlay.png", 3);
    ok &= save(overlayPicture(), folder, "corvane_overlay.png", 4);
    // The labels in each language, English where a text has no translation.
    const auto features = [&](const std::map<std::string, std::string>& texts, WindowPainter& p) {
        return paintFeatures(p, *font, [&](const std::string& english) {
            const auto found = texts.find(english);
            return found != texts.end() ? found->second : english;
        });
    };
    // Every caption of the tour fits its box, in every language.
    auto captionFont = std::make_unique<TextRenderer>(velmResolveFontFile(captionFontFile));
    const auto captionsFit = [&](const std::map<std::string, std::string>& texts) {
        const auto in = [&](const char* english) {
            const auto found = texts.find(english);
            return found != texts.end() ? found->second : std::string(english);
        };
        bool fit = captionFont->ok();
        for (const TourStep& step : tourSteps())
            if (!layOutCaption(oneLine(in(step.name)), in(step.sentence), *font, *captionFont).fits) {
                std::fprintf(stderr, "the caption of \"%s\" does not fit its box\n", in(step.name).c_str());
                fit = false;
            }
        return fit;
    };
    WindowPainter english = windowPainter();
    if (!features({}, english) || !captionsFit({}))
        return 1;
    ok &= save(stored(english), folder, "corvane_features.png", 4);
    for (const std::string& language : translatedLanguages(poFolder)) {
        WindowPainter translated = windowPainter();
        // Its faces: DejaVu Sans, and where it lacks the language's
        // characters, the fallback the program draws them in.
        velmSetFallbackFamily(fallbackFamilyOf(language));
        font = std::make_unique<TextRenderer>(fontFile);
        captionFont = std::make_unique<TextRenderer>(velmResolveFontFile(captionFontFile));
        const auto texts = readPoFile(poFolder + "/" + language + ".po");
        if (!features(texts, translated) || !captionsFit(texts) || !everyGlyphDrawn(texts, *font, *captionFont)) {
            std::fprintf(stderr, "in %s.po\n", language.c_str());
            ok = false;
            continue;
        }
        // Checked, not stored: the program paints them in the language shown.
    }
    ok &= save(smokePicture(), folder, "corvane_smoke.png", 2);
    ok &= save(seepagePicture(), folder, "corvane_seepage.png", 4);
    ok &= save(arrowPicture(), folder, "arrow.png", 4);
    ok &= save(logoPicture(), folder, "qlogo.png", 4);
    return ok ? 0 : 1;
}
