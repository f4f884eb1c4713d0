// The labelled features picture: the marks, the labels and their leaders,
// painted from the label data at any size.
#include "assets/features_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/feature_labels.h"

namespace {
constexpr float pi = 3.14159265f;

// A length in design pixels as whole canvas pixels.
int designPixels(const WindowPainter& p, float length) { return static_cast<int>(std::lround(length * p.scale)); }

Colour inkOf(Ink ink) {
    switch (ink) {
    case Ink::Water: return rgb(150, 215, 255);
    case Ink::Hot: return rgb(255, 190, 120);
    case Ink::Light: return rgb(225, 230, 240);
    case Ink::Plain: break;
    }
    return rgb(255, 244, 200);
}

const Colour outline = rgb(12, 16, 24, 0.9f);

// A line in design pixels with a dark outline under it.
void outlinedLine(WindowPainter& p, WindowPoint a, WindowPoint b, float width, const Colour& c) {
    p.canvas.strokeLine(p.cx(a.x), p.cy(a.y), p.cx(b.x), p.cy(b.y), (width + 2.8f) * p.scale / 2, outline);
    p.canvas.strokeLine(p.cx(a.x), p.cy(a.y), p.cx(b.x), p.cy(b.y), width * p.scale / 2, c);
}

// A filled triangle pointing from base towards tip, outlined.
void arrowHead(WindowPainter& p, WindowPoint tip, float dx, float dy, float size, const Colour& c) {
    const float length = std::hypot(dx, dy), ux = dx / length, uy = dy / length;
    const auto corner = [&](float back, float side, float grow) {
        return std::vector<float>{p.cx(tip.x + ux * grow - ux * back * (size + grow) - uy * side * (size + grow)),
                                  p.cy(tip.y + uy * grow - uy * back * (size + grow) + ux * side * (size + grow))};
    };
    for (int pass = 0; pass < 2; ++pass) {
        const float grow = pass == 0 ? 1.4f : 0;
        std::vector<float> shape;
        for (const auto& v : {corner(0, 0, grow), corner(1.2f, 0.7f, grow), corner(1.2f, -0.7f, grow)})
            shape.insert(shape.end(), v.begin(), v.end());
        p.canvas.fillPolygon(shape, pass == 0 ? outline : c);
    }
}

// A label in its place, with its leader; false when the text does not fit.
bool drawLabel(WindowPainter& p, const TextRenderer& font, const FeatureLabel& label) {
    const LaidOutLabel laid = layOut(label, font);
    if (!laid.fits) {
        std::fprintf(stderr, "the label \"%s\" (%s) takes %.0f by %.0f pixels: more than its place, %.0f by %.0f\n",
                     label.text.c_str(), label.key, laid.text.width(), laid.text.height(), label.place.width(),
                     label.place.height());
        return false;
    }
    const Colour ink = inkOf(label.ink);
    if (label.leader) {
        const WindowPoint anchor = label.anchor();
        outlinedLine(p, laid.leaderStart, anchor, 1.6f, ink);
        p.canvas.fillEllipse(p.cx(anchor.x), p.cy(anchor.y), 3.6f * p.scale, 3.6f * p.scale, outline);
        p.canvas.fillEllipse(p.cx(anchor.x), p.cy(anchor.y), 2.2f * p.scale, 2.2f * p.scale, ink);
    }
    for (size_t i = 0; i < laid.lines.size(); ++i) {
        int baseline = 0;
        const Mask text = font.render(laid.lines[i], designPixels(p, static_cast<float>(label.size)), baseline);
        const int x = static_cast<int>(p.cx(laid.lefts[i])), y = static_cast<int>(p.cy(laid.baselines[i])) - baseline;
        p.canvas.paintMask(text.dilated(2.2f * p.scale), x, y, outline);
        p.canvas.paintMask(text, x, y, ink);
    }
    return true;
}

// Water droplets leaving the slab, each with a short dashed arrow rising
// towards the melt.
void drawWater(WindowPainter& p) {
    const Colour drop = rgb(120, 200, 255, 0.95f), dash = rgb(150, 215, 255);
    const WindowPoint melt = meltCentre();
    for (const WindowPoint& d : waterDrops()) {
        p.canvas.fillEllipse(p.cx(d.x), p.cy(d.y), 6.2f * p.scale, 8.0f * p.scale, rgb(10, 30, 60, 0.85f));
        p.canvas.fillEllipse(p.cx(d.x), p.cy(d.y), 4.8f * p.scale, 6.6f * p.scale, drop);
        p.canvas.fillEllipse(p.cx(d.x - 1.5f), p.cy(d.y + 2), 1.4f * p.scale, 2.0f * p.scale,
                             rgb(235, 248, 255, 0.9f));
        // Up and towards the melt: three dashes and a head.
        const float dx = (melt.x - d.x) * 0.45f, dy = 24;
        const float length = std::hypot(dx, dy), ux = dx / length, uy = dy / length;
        const WindowPoint start{d.x + ux * 10, d.y + uy * 10};
        for (int k = 0; k < 3; ++k) {
            const WindowPoint a{start.x + ux * 6.0f * k, start.y + uy * 6.0f * k};
            const WindowPoint b{a.x + ux * 3.5f, a.y + uy * 3.5f};
            outlinedLine(p, a, b, 1.6f, dash);
        }
        arrowHead(p, {start.x + ux * 22, start.y + uy * 22}, ux, uy, 4.0f, dash);
    }
}

// Earthquake foci along the slab: bursts large enough to see across a room.
void drawEarthquakes(WindowPainter& p) {
    const Colour burst = rgb(255, 236, 120);
    for (const WindowPoint& q : earthquakeMarks()) {
        p.canvas.fillEllipse(p.cx(q.x), p.cy(q.y), 3.2f * p.scale, 3.2f * p.scale, outline);
        for (int k = 0; k < 4; ++k) {
            const float a = pi / 4 * k + pi / 8;
            const WindowPoint from{q.x - std::cos(a) * 7.5f, q.y - std::sin(a) * 7.5f};
            const WindowPoint to{q.x + std::cos(a) * 7.5f, q.y + std::sin(a) * 7.5f};
            outlinedLine(p, from, to, 2.0f, burst);
        }
        p.canvas.fillEllipse(p.cx(q.x), p.cy(q.y), 2.0f * p.scale, 2.0f * p.scale, burst);
    }
}

// The melt zone in the mantle wedge: a soft orange glow.
void drawMelt(WindowPainter& p) {
    const WindowPoint centre = meltCentre();
    Mask glow(p.canvas.width(), p.canvas.height());
    const int rx = static_cast<int>(meltRadiusX * p.scale), ry = static_cast<int>(meltRadiusY * p.scale);
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x) {
            const int gx = static_cast<int>(p.cx(centre.x)) + x, gy = static_cast<int>(p.cy(centre.y)) + y;
            const float r = std::hypot(x / static_cast<float>(rx), y / static_cast<float>(ry));
            const float wobble = 0.85f + 0.3f * tileNoise(gx / (9.0f * p.scale), gy / (9.0f * p.scale), 64, 91);
            if (gx >= 0 && gy >= 0 && gx < glow.width && gy < glow.height && r < 1)
                glow(gx, gy) = std::min(1.0f, (1 - r) * (1.6f - r) * wobble);
        }
    const Mask soft = glow.blurred(designPixels(p, 2.5f), 2);
    p.canvas.paintMask(soft, 0, 0, rgb(255, 120, 20, 0.8f));
    p.canvas.paintMask(soft.blurred(designPixels(p, 1.5f), 1), 0, 0, rgb(255, 220, 120, 0.35f));
}

// The plate's motion: an arrow on its crust's cut face, towards the trench;
// where it comes from, off to the left.
void drawPlateMotion(WindowPainter& p) {
    const Colour c = inkOf(Ink::Light);
    const WindowPoint tail = project({-0.84f, -0.185f, 2.0f}), tip = project({-0.56f, -0.185f, 2.0f});
    outlinedLine(p, tail, {tip.x - 9, tip.y}, 3.0f, c);
    arrowHead(p, tip, 1, 0, 7, c);
    arrowHead(p, {6, 272}, -1, 0, 5, c);   // from a mid-ocean ridge
}

// A polygon of scene points, in canvas pixels.
std::vector<float> onCanvas(const WindowPainter& p, const std::vector<ScenePoint>& points) {
    std::vector<float> xy;
    for (const ScenePoint& point : points) {
        const WindowPoint w = project(point);
        xy.push_back(p.cx(w.x));
        xy.push_back(p.cy(w.y));
    }
    return xy;
}

// The oceanic plate's lithospheric mantle (its lower band): a greenish
// tint, so that it is not taken for the continent's crust.
void tintPlateMantle(WindowPainter& p) {
    std::vector<ScenePoint> upper, lower;
    for (float x = -1.0f; x <= 1.01f; x += 0.02f) {
        const WindowPoint n = plateNormalAt(x);
        upper.push_back({x - 0.1f * n.x, plateTopAt(x) - 0.1f * n.y, 2.0f});
        lower.push_back({x - 0.35f * n.x, plateTopAt(x) - 0.35f * n.y, 2.0f});
    }
    upper.insert(upper.end(), lower.rbegin(), lower.rend());
    p.canvas.fillPolygon(onCanvas(p, upper), rgb(60, 96, 72, 0.45f));
}

// The mantle wedge between the base of the continent's crust and the slab,
// in the asthenosphere's colours, under a dark line at the crust's base.
void drawMantleWedge(WindowPainter& p) {
    const float from = crustBaseMeetsSlab();
    std::vector<ScenePoint> base, wedge;
    for (float x = from; x <= 1.21f; x += 0.01f)
        base.push_back({x, crustBaseAt(x), 2.0f});
    wedge = base;
    for (float x = 1.2f; x >= from - 0.001f; x -= 0.01f)
        wedge.push_back({x, plateTopAt(x), 2.0f});
    p.canvas.fillPolygon(onCanvas(p, wedge), rgb(132, 88, 54, 0.72f));
    for (size_t i = 1; i < base.size(); ++i) {
        const WindowPoint a = project(base[i - 1]), b = project(base[i]);
        p.canvas.strokeLine(p.cx(a.x), p.cy(a.y), p.cx(b.x), p.cy(b.y), 1.1f * p.scale, rgb(36, 26, 20, 0.9f));
    }
}

// Where the magma rises, from the melt to the vent, under its arrow: the
// arrow's window shows and hides it, the path stays.
void drawMagmaPath(WindowPainter& p) {
    const WindowPoint melt = meltCentre(), vent = project({0.40f, 0.19f, -1.0f, true});
    p.canvas.strokeLine(p.cx(melt.x + 6), p.cy(melt.y), p.cx(vent.x), p.cy(vent.y), 3.2f * p.scale,
                        rgb(150, 40, 16, 0.55f));
    p.canvas.strokeLine(p.cx(melt.x + 6), p.cy(melt.y), p.cx(vent.x), p.cy(vent.y), 1.4f * p.scale,
                        rgb(255, 120, 40, 0.6f));
}

void drawBracket(WindowPainter& p) {
    const Bracket b = lithosphereBracket();
    const Colour ink = inkOf(Ink::Plain);
    for (int pass = 0; pass < 2; ++pass) {
        const float w = pass == 0 ? 4.5f : 1.8f;
        const Colour c = pass == 0 ? outline : ink;
        p.canvas.strokeLine(p.cx(b.x), p.cy(b.top), p.cx(b.x), p.cy(b.bottom), w * p.scale / 2 + 0.5f, c);
        p.canvas.strokeLine(p.cx(b.x), p.cy(b.top), p.cx(b.x + 5), p.cy(b.top), w * p.scale / 2 + 0.5f, c);
        p.canvas.strokeLine(p.cx(b.x), p.cy(b.bottom), p.cx(b.x + 5), p.cy(b.bottom), w * p.scale / 2 + 0.5f, c);
    }
}

}  // namespace

void paintPlainView(WindowPainter& p) {
    tintPlateMantle(p);
    drawMantleWedge(p);
    drawMagmaPath(p);
    drawMelt(p);
    drawWater(p);
    drawEarthquakes(p);
}

bool paintFeatures(WindowPainter& p, const TextRenderer& font,
                   const std::function<std::string(const std::string&)>& translate) {
    drawPlateMotion(p);
    drawBracket(p);
    bool ok = true;
    for (FeatureLabel label : featureLabels()) {
        label.text = translate(label.text);
        ok = drawLabel(p, font, label) && ok;
    }
    return ok;
}

Image paintedFeaturesPicture(int width, int height, const std::string& fontFile,
                             const std::function<std::string(const std::string&)>& translate) {
    const TextRenderer font(fontFile);
    if (!font.ok() || width <= 0 || height <= 0)
        return {};
    WindowPainter p(width, height);
    paintFeatures(p, font, translate);
    return p.canvas.toImage(4);
}
