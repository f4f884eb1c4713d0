// Writes the twelve pictures of Corvane Zone into a folder (default: data).
// Deterministic: the same fonts and libraries give the same bytes every run.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/canvas.h"
#include "tools/scene_projection.h"
#include "velmkit/velm_font.h"

namespace {
constexpr float pi = 3.14159265f;
constexpr int designWidth = 640, designHeight = 480;
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
    // Grey-brown rock with grains and streaks along the plate (s), so that its
    // flow towards the trench can be seen. Drawn at half brightness.
    const Colour light = rgb(255, 248, 236), dark = rgb(196, 182, 164), grain = rgb(140, 124, 110);
    return texture(256, [&](float u, float v) {
        const float mottled = tileFbm(u * 6, v * 6, 6, 5, 0.55f, 11);
        const float streak = tileFbm(u * 3, v * 24, 3, 3, 0.5f, 12);
        Colour c = mix(dark, light, clamp01(0.25f + 0.9f * (mottled - 0.5f) + 0.5f * streak));
        const float speck = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 13);
        if (speck > 0.93f)
            c = mix(c, grain, 0.6f);
        else if (speck < 0.04f)
            c = mix(c, rgb(245, 240, 230), 0.5f);
        return c;
    });
}

Canvas landPicture() {
    // t = 0 is the land's top edge on the cut face and the foot of the cones:
    // a thin grass line, top soil, then continental rock down the cut face
    // (which reaches t = 0.53 at most). The rows above are never on the cut
    // face, only on the land's top, and hold meadow, so that the top reads as
    // fields with strips of bare earth.
    const Colour grass = rgb(98, 146, 60), grassDark = rgb(62, 104, 42);
    const Colour soil = rgb(112, 82, 54), soilDark = rgb(80, 58, 40);
    const Colour rock = rgb(176, 158, 134), rockDark = rgb(128, 112, 94);
    const Colour meadow = rgb(120, 156, 76), meadowDark = rgb(86, 122, 56);
    return texture(256, [&](float u, float v) {
        const float wobble = (tileFbm(u * 8, 0.5f, 8, 3, 0.5f, 21) - 0.5f) * 0.04f;
        const float n = tileFbm(u * 8, v * 8, 8, 5, 0.55f, 22);
        const float fine = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 23);
        const float grassLine = 0.045f + wobble, soilLine = 0.16f + wobble * 1.5f;
        const float rockEnd = 0.56f + wobble, meadowStart = 0.64f + wobble;
        if (v < grassLine) {
            const Colour c = mix(grassDark, grass, clamp01(n * 1.3f - 0.1f));
            return fine > 0.85f ? mix(c, rgb(150, 190, 90), 0.5f) : c;
        }
        if (v < soilLine) {
            const Colour c = mix(soilDark, soil, n);
            return fine > 0.9f ? mix(c, rgb(60, 44, 30), 0.6f) : c;
        }
        if (v < rockEnd) {
            // Rock in faint layers, with scattered darker grains.
            const float layer = 0.5f + 0.5f * std::sin((v * 9 + n * 1.5f) * 2 * pi);
            const Colour c = mix(rockDark, rock, clamp01(0.35f * layer + 0.8f * (n - 0.2f)));
            return fine > 0.94f ? mix(c, rgb(90, 76, 60), 0.5f) : c;
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
        const float band = v * 7 + warp * 7;
        const float layer = band - std::floor(band);
        const int index = static_cast<int>(std::floor(band));
        const float pick = hashUnit(((index % 7) + 7) % 7, 0, 32);
        Colour c = pick < 0.45f ? sand : pick < 0.8f ? silt : clay;
        c = mix(c, shadeBy(c, 0.8f), smoothstep(0.8f, 1.0f, layer));   // darker base of each bed
        const float grain = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 33);
        return mix(c, shadeBy(c, 0.75f + 0.5f * grain), 0.35f);
    });
}

Canvas crustPicture() {
    // Dark basaltic crust with vesicles and faint columnar joints.
    const Colour base = rgb(70, 72, 80), light = rgb(98, 100, 108), dark = rgb(40, 42, 48);
    Canvas c = texture(256, [&](float u, float v) {
        const float n = tileFbm(u * 8, v * 8, 8, 5, 0.6f, 41);
        Colour col = mix(dark, light, clamp01(n * 1.4f - 0.2f));
        const float joint = std::fabs(std::sin((u * 10 + tileFbm(u * 2, v * 2, 2, 2, 0.5f, 42) * 1.5f) * pi));
        if (joint < 0.06f)
            col = mix(col, dark, 0.6f);
        return mix(col, base, 0.2f);
    });
    for (int i = 0; i < 90; ++i) {   // vesicles
        const float x = hashUnit(i, 1, 43) * 256, y = hashUnit(i, 2, 43) * 256;
        const float r = 0.8f + hashUnit(i, 3, 43) * 2.2f;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {   // wrapped copies keep it tileable
                c.fillEllipse(x + dx * 256 + 0.6f, y + dy * 256 + 0.6f, r, r, rgb(120, 122, 130, 0.6f));
                c.fillEllipse(x + dx * 256, y + dy * 256, r, r, rgb(22, 22, 26));
            }
    }
    return c;
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

// Paints in design pixels (640 by 480, y up from the bottom) on a canvas of
// twice that size; stored at 1024 by 512, stretched over the window.
struct WindowPainter {
    Canvas canvas{designWidth * supersample, designHeight * supersample};
    float cx(float x) const { return x * supersample; }
    float cy(float y) const { return (designHeight - y) * supersample; }
    Canvas stored() const { return canvas.resampled(1024, 512); }
};

Canvas underlayPicture() {
    // Sky above the block's far edge, warm dark mantle below the plates.
    WindowPainter p;
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
                const float depth = clamp01((horizon - wy) / horizon);
                const float swirl = tileFbm(wx / 70 + depth * 2, wy / 50, 64, 5, 0.55f, 62);
                col = mix(rgb(92, 34, 18), rgb(196, 82, 26), clamp01(depth * 0.8f + (swirl - 0.5f) * 0.9f));
                col = mix(col, rgb(235, 140, 50), clamp01((swirl - 0.68f) * 3.0f) * depth);
            }
            c.set(x, y, col);
        }
    }
    return p.stored();
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

Canvas overlayPicture() {
    WindowPainter p;
    Canvas& c = p.canvas;
    // Vignette: darker towards the corners.
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const float dx = (x + 0.5f) / c.width() * 2 - 1, dy = (y + 0.5f) / c.height() * 2 - 1;
            const float r = std::sqrt(dx * dx * 0.8f + dy * dy * 0.9f);
            c.set(x, y, {0.02f, 0.03f, 0.06f, 0.38f * smoothstep(0.75f, 1.45f, r)});
        }
    // Quiet bands under the title and check box, and under the logo and address.
    shadeBand(p, -20, 388, 230, 500, 0.30f);
    shadeBand(p, -20, 396, 150, 500, 0.12f);
    shadeBand(p, 480, -20, 660, 76, 0.34f);
    return p.stored();
}

// One feature label: the text's box, its anchor in the model, and a leader.
struct Label {
    std::string text;
    float textX, textY;      // design pixels: left end of the baseline
    float pointX, pointY;    // where the leader ends, design pixels
    int size = 13;
};

void drawLabel(WindowPainter& p, TextRenderer& font, const Label& label, const Colour& ink) {
    const Colour outline = rgb(12, 16, 24, 0.9f);
    int baseline = 0;
    const Mask text = font.render(label.text, label.size * supersample, baseline);
    const float width = text.width / static_cast<float>(supersample);
    // Leader from the nearer end of the text to the point.
    if (label.pointX >= 0) {
        const float midY = label.textY + label.size * 0.35f;
        const float startX = label.pointX < label.textX + width / 2 ? label.textX - 3 : label.textX + width + 3;
        p.canvas.strokeLine(p.cx(startX), p.cy(midY), p.cx(label.pointX), p.cy(label.pointY), 4.5f * supersample / 2, outline);
        p.canvas.fillEllipse(p.cx(label.pointX), p.cy(label.pointY), 3.6f * supersample, 3.6f * supersample, outline);
        p.canvas.strokeLine(p.cx(startX), p.cy(midY), p.cx(label.pointX), p.cy(label.pointY), 1.6f * supersample / 2 + 0.6f, ink);
        p.canvas.fillEllipse(p.cx(label.pointX), p.cy(label.pointY), 2.2f * supersample, 2.2f * supersample, ink);
    }
    const int x = static_cast<int>(p.cx(label.textX)), y = static_cast<int>(p.cy(label.textY)) - baseline;
    p.canvas.paintMask(text.dilated(2.2f * supersample), x, y, outline);
    p.canvas.paintMask(text, x, y, ink);
}

Canvas featuresPicture(TextRenderer& font) {
    WindowPainter p;
    const Colour ink = rgb(255, 244, 200), waterInk = rgb(150, 215, 255), hot = rgb(255, 190, 120);
    const auto at = [](float x, float y, float z) { return projectModel(x, y, z); };

    // Water released from the slab: small droplets rising from its top.
    const Colour drop = rgb(120, 200, 255, 0.95f);
    for (int i = 0; i < 6; ++i) {
        const float mx = 0.16f + 0.05f * i;
        const float slabTop = -0.255f - 0.5f * (mx - 0.1f);
        const WindowPoint d = at(mx, slabTop + 0.035f + 0.02f * (i % 2), 2.0f);
        p.canvas.fillEllipse(p.cx(d.x), p.cy(d.y), 2.6f * supersample, 3.4f * supersample, rgb(10, 30, 60, 0.8f));
        p.canvas.fillEllipse(p.cx(d.x), p.cy(d.y), 1.8f * supersample, 2.6f * supersample, drop);
    }
    // Melting in the mantle wedge above the slab, where the magma sets out.
    const WindowPoint wedge = projectEye(0.39f, -0.36f, -1.0f);
    Mask glow(p.canvas.width(), p.canvas.height());
    for (int i = 0; i < 3; ++i) {
        const WindowPoint g = {wedge.x - 14 + 14.0f * i, wedge.y - 4 + 4.0f * (i % 2)};
        for (int y = -24; y <= 24; ++y)
            for (int x = -40; x <= 40; ++x) {
                const int gx = static_cast<int>(p.cx(g.x)) + x, gy = static_cast<int>(p.cy(g.y)) + y;
                const float r = std::hypot(x / 40.0f, y / 24.0f);
                if (gx >= 0 && gy >= 0 && gx < glow.width && gy < glow.height && r < 1)
                    glow(gx, gy) = std::max(glow(gx, gy), (1 - r) * (1 - r));
            }
    }
    p.canvas.paintMask(glow.blurred(4, 2), 0, 0, rgb(255, 150, 40, 0.75f));

    const WindowPoint plateRock = at(-0.75f, -0.18f, 2.0f);
    const WindowPoint plateCrust = at(-0.95f, -0.34f, 2.0f);
    const WindowPoint mantle = at(-0.6f, -0.56f, 2.0f);
    const WindowPoint trench = at(-0.2f, -0.14f, 2.0f);
    const WindowPoint wedgeSediment = at(-0.14f, -0.135f, 2.0f);
    const WindowPoint continentalCrust = at(0.68f, -0.40f, 2.0f);
    const WindowPoint arc = at(0.33f, 0.27f, 1.4f);
    const WindowPoint water = at(0.26f, -0.3f, 2.0f);
    const WindowPoint magma = projectEye(0.40f, -0.05f, -1.0f);

    const std::vector<Label> labels = {
        {"Oceanic plate", 16, 236, plateRock.x, plateRock.y},
        {"Oceanic crust", 112, 98, plateCrust.x, plateCrust.y},
        {"Asthenosphere (mantle)", 14, 14, mantle.x, mantle.y},
        {"Trench", 148, 262, trench.x, trench.y},
        {"Accretionary wedge (sediment)", 196, 222, wedgeSediment.x, wedgeSediment.y},
        {"Volcanic arc", 246, 392, arc.x, arc.y},
        {"Continental crust", 500, 132, continentalCrust.x, continentalCrust.y},
        {"Water released from the slab", 150, 42, water.x, water.y},
        {"Melting in the mantle wedge", 236, 128, wedge.x, wedge.y},
        {"Rising magma", 512, 262, magma.x, magma.y},
    };
    const Colour inks[] = {ink, ink, hot, ink, ink, ink, ink, waterInk, hot, hot};
    for (size_t i = 0; i < labels.size(); ++i)
        drawLabel(p, font, labels[i], inks[i]);

    // Lithosphere: a bracket along the left edge over the plate's layers.
    const WindowPoint top = at(-1.2f, -0.13f, 2.0f), bottom = at(-1.2f, -0.48f, 2.0f);
    const float bx = 8;
    const Colour outline = rgb(12, 16, 24, 0.9f);
    for (int pass = 0; pass < 2; ++pass) {
        const float w = pass == 0 ? 4.5f : 1.8f;
        const Colour c = pass == 0 ? outline : ink;
        p.canvas.strokeLine(p.cx(bx), p.cy(top.y), p.cx(bx), p.cy(bottom.y), w * supersample / 2 + 0.5f, c);
        p.canvas.strokeLine(p.cx(bx), p.cy(top.y), p.cx(bx + 5), p.cy(top.y), w * supersample / 2 + 0.5f, c);
        p.canvas.strokeLine(p.cx(bx), p.cy(bottom.y), p.cx(bx + 5), p.cy(bottom.y), w * supersample / 2 + 0.5f, c);
    }
    drawLabel(p, font, {"Lithosphere", 16, (top.y + bottom.y) / 2 - 4, -1, -1}, ink);
    drawLabel(p, font, {"Not to scale", 560, 382, -1, -1, 10}, rgb(220, 225, 235));
    return p.stored();
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

Canvas logoPicture() {
    // The letter Q as a ring with a tail, light on a faint dark halo.
    const int size = 64;
    Canvas c(size, size);
    const float cx = 31, cy = 30;
    c.fillEllipse(cx, cy + 1, 28, 28, rgb(0, 10, 20, 0.45f));
    c.strokeEllipse(cx, cy, 22, 22, 9, rgb(20, 40, 60, 0.85f));
    c.strokeLine(cx + 8, cy + 9, cx + 25, cy + 26, 11, rgb(20, 40, 60, 0.85f));
    Canvas ring(size, size);
    ring.strokeEllipse(cx, cy, 22, 22, 6.5f, {1, 1, 1, 1});
    ring.strokeLine(cx + 9, cy + 10, cx + 24, cy + 25, 8, {1, 1, 1, 1});
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Colour r = ring.get(x, y);
            const float t = (y + 0.5f) / size;   // top light cyan, bottom deeper teal
            c.blend(x, y, mix(rgb(220, 248, 255), rgb(60, 190, 210), t), r.a);
        }
    return c;
}

bool save(const Canvas& canvas, const std::string& folder, const char* name, int channels) {
    const std::string path = folder + "/" + name;
    if (!canvas.writePng(path, channels)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "data";
    const std::string fontFile = velmResolveFontFile("VERDANAB.TTF");
    TextRenderer font(fontFile);
    if (!font.ok()) {
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
    ok &= save(featuresPicture(font), folder, "corvane_features.png", 4);
    ok &= save(smokePicture(), folder, "corvane_smoke.png", 2);
    ok &= save(seepagePicture(), folder, "corvane_seepage.png", 4);
    ok &= save(arrowPicture(), folder, "arrow.png", 4);
    ok &= save(logoPicture(), folder, "qlogo.png", 4);
    return ok ? 0 : 1;
}
