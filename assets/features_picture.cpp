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
            const WindowPoint from{q.x - std::cos(a) * quakeBurstRadius, q.y - std::sin(a) * quakeBurstRadius};
            const WindowPoint to{q.x + std::cos(a) * quakeBurstRadius, q.y + std::sin(a) * quakeBurstRadius};
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
}

// Where the plate comes from: off to the left, before the ridge's label.
void drawRidgeArrow(WindowPainter& p) { arrowHead(p, {12, 119}, -1, 0, 5, inkOf(Ink::Light)); }

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

// The land's cut face, x from the coast inland past the window's edge.
constexpr float coastX = -0.1f, inlandX = 1.25f, landStep = 0.01f;

// The overriding plate as lithosphere: its light granitic crust down to the
// Moho, a third of its thickness, and its lithospheric mantle in the oceanic
// plate's mantle colours down to the base of the lithosphere (the land
// layer's bottom), each over the cut face's own texture.
void drawOverridingPlate(WindowPainter& p) {
    std::vector<ScenePoint> top, moho, base;
    for (float x = coastX; x <= inlandX; x += landStep) {
        top.push_back({x, landTopAt(x), 2.0f});
        moho.push_back({x, mohoAt(x), 2.0f});
        base.push_back({x, std::max(crustBaseAt(x), plateTopAt(x)), 2.0f});   // the slab is in front below it
    }
    std::vector<ScenePoint> crust = top, mantle = moho;
    crust.insert(crust.end(), moho.rbegin(), moho.rend());
    mantle.insert(mantle.end(), base.rbegin(), base.rend());
    p.canvas.fillPolygon(onCanvas(p, crust), rgb(224, 204, 186, 0.46f));
    p.canvas.fillPolygon(onCanvas(p, mantle), rgb(62, 98, 74, 0.74f));
    for (size_t i = 1; i < moho.size(); ++i) {
        const WindowPoint a = project(moho[i - 1]), b = project(moho[i]);
        p.canvas.strokeLine(p.cx(a.x), p.cy(a.y), p.cx(b.x), p.cy(b.y), 0.9f * p.scale, rgb(46, 38, 32, 0.85f));
    }
}

// The accretionary wedge's cut face, between its face and the plate's top:
// scraped-off sediment, speckled yellow to light brown.
void drawAccretionaryWedge(WindowPainter& p) {
    std::vector<ScenePoint> outline;
    for (float x = trenchBottom().x; x <= coastX + 0.001f; x += 0.005f)
        outline.push_back({x, seaFloorAt(x), 2.0f});
    for (float x = coastX; x >= trenchBottom().x - 0.001f; x -= 0.005f)
        outline.push_back({x, std::min(plateTopAt(x), seaFloorAt(x)), 2.0f});
    Canvas shape(p.canvas.width(), p.canvas.height());
    shape.fillPolygon(onCanvas(p, outline), {1, 1, 1, 1});
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x) {
            const float cover = shape.get(x, y).a;
            if (cover <= 0)
                continue;
            const float grain = tileFbm(x / (3.0f * p.scale), y / (3.0f * p.scale), 64, 3, 0.5f, 95);
            const float speck = hashUnit(static_cast<int>(x / p.scale), static_cast<int>(y / p.scale), 96);
            Colour c = mix(rgb(206, 164, 92), rgb(238, 214, 150), grain);
            if (speck > 0.86f)
                c = mix(c, rgb(118, 86, 48), 0.7f);
            else if (speck < 0.06f)
                c = mix(c, rgb(252, 246, 226), 0.7f);
            p.canvas.blend(x, y, {c.r, c.g, c.b, 0.72f}, cover);
        }
}

// The trench: the deep, narrow trough where the plate bends down under the
// wedge's toe, its water darker than the open sea's, and the sea floor's
// profile from the deep-sea plain down into it and up to the shelf.
void drawTrench(WindowPainter& p) {
    const ScenePoint bottom = trenchBottom();
    std::vector<ScenePoint> floor, trough;
    for (float x = -0.7f; x <= coastX + 0.001f; x += 0.005f)
        floor.push_back({x, seaFloorAt(x), 2.0f});
    // The water below where the plate's top lay: between it and the floor.
    const float from = bottom.x - 0.25f, to = bottom.x + 0.06f;
    for (float x = from; x <= to; x += 0.005f)
        trough.push_back({x, plateTopAt(x), 2.0f});
    for (float x = to; x >= from; x -= 0.005f)
        trough.push_back({x, std::min(plateTopAt(x), seaFloorAt(x)), 2.0f});
    p.canvas.fillPolygon(onCanvas(p, trough), rgb(30, 78, 146, 0.86f));
    for (size_t i = 1; i < floor.size(); ++i) {
        const WindowPoint a = project(floor[i - 1]), b = project(floor[i]);
        p.canvas.strokeLine(p.cx(a.x), p.cy(a.y), p.cx(b.x), p.cy(b.y), 1.2f * p.scale, rgb(14, 32, 60, 0.85f));
    }
}

// The front volcano, cut through: its rock as light as its neighbours'.
void tintFrontCone(WindowPainter& p, const std::vector<std::vector<WindowPoint>>& faces) {
    Canvas shape(p.canvas.width(), p.canvas.height());
    for (const std::vector<WindowPoint>& face : faces) {
        std::vector<float> xy;
        for (const WindowPoint& w : face)
            xy.insert(xy.end(), {p.cx(w.x), p.cy(w.y)});
        shape.fillPolygon(xy, {1, 1, 1, 1});
    }
    // Only above the land's top edge: the cone's foot is behind the cut face.
    std::vector<ScenePoint> below;
    for (float x = coastX; x <= inlandX; x += landStep)
        below.push_back({x, landTopAt(x), 2.0f});
    below.push_back({inlandX, -2.0f, 2.0f});
    below.push_back({coastX, -2.0f, 2.0f});
    shape.fillPolygon(onCanvas(p, below), {0, 0, 0, 0});
    Canvas ground(p.canvas.width(), p.canvas.height());
    ground.fillPolygon(onCanvas(p, below), {1, 1, 1, 1});
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x)
            p.canvas.blend(x, y, rgb(198, 186, 162, 0.44f), shape.get(x, y).a * (1 - ground.get(x, y).a));
}

void drawBracket(WindowPainter& p, const Bracket& b) {
    const Colour ink = inkOf(Ink::Plain);
    const float tick = b.ticksRight ? 5 : -5;
    for (int pass = 0; pass < 2; ++pass) {
        const float w = pass == 0 ? 4.5f : 1.8f;
        const Colour c = pass == 0 ? outline : ink;
        p.canvas.strokeLine(p.cx(b.x), p.cy(b.top), p.cx(b.x), p.cy(b.bottom), w * p.scale / 2 + 0.5f, c);
        p.canvas.strokeLine(p.cx(b.x), p.cy(b.top), p.cx(b.x + tick), p.cy(b.top), w * p.scale / 2 + 0.5f, c);
        p.canvas.strokeLine(p.cx(b.x), p.cy(b.bottom), p.cx(b.x + tick), p.cy(b.bottom), w * p.scale / 2 + 0.5f, c);
    }
}

}  // namespace

void paintPlainView(WindowPainter& p, const std::vector<std::vector<WindowPoint>>& frontCone) {
    tintPlateMantle(p);
    drawOverridingPlate(p);
    drawMantleWedge(p);
    tintFrontCone(p, frontCone);
    drawAccretionaryWedge(p);
    drawTrench(p);
    drawMagmaPath(p);
    drawMelt(p);
    drawWater(p);
    drawEarthquakes(p);
}

bool paintFeatures(WindowPainter& p, const TextRenderer& font,
                   const std::function<std::string(const std::string&)>& translate) {
    drawPlateMotion(p);
    drawRidgeArrow(p);
    drawBracket(p, lithosphereBracket());
    drawBracket(p, continentalLithosphereBracket());
    if (!font.ok())
        return false;
    std::vector<FeatureLabel> labels = featureLabels();
    std::vector<LaidOutLabel> laid;
    bool ok = true;
    for (FeatureLabel& label : labels) {
        label.text = translate(label.text);
        laid.push_back(layOut(label, font));
        ok = drawLabel(p, font, label) && ok;
    }
    for (const std::string& problem : layoutProblems(labels, laid)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        ok = false;
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

namespace {
// The caption of a tour step in its box: a dark panel, the name in bold
// and the sentences under it.
void drawCaption(WindowPainter& p, const LaidOutCaption& caption, const TextRenderer& bold,
                 const TextRenderer& regular) {
    // The box as tall as its text, from the top of its place.
    Box b = captionBox;
    b.bottom = std::max(b.bottom, b.top - 2 * captionPadding - captionNameSize * lineSpacing -
                                      captionTextSize * lineSpacing * static_cast<float>(caption.lines.size()));
    const std::vector<float> panel = {p.cx(b.left), p.cy(b.top), p.cx(b.right), p.cy(b.top),
                                      p.cx(b.right), p.cy(b.bottom), p.cx(b.left), p.cy(b.bottom)};
    p.canvas.fillPolygon(panel, rgb(10, 16, 28, 0.86f));
    for (int k = 0; k < 4; ++k)
        p.canvas.strokeLine(panel[2 * k], panel[2 * k + 1], panel[(2 * k + 2) % 8], panel[(2 * k + 3) % 8],
                            std::max(1.0f, p.scale), rgb(150, 180, 210, 0.7f));
    float top = b.top - captionPadding;
    const auto line = [&](const std::string& text, const TextRenderer& font, int size, const Colour& ink) {
        int baseline = 0;
        const Mask mask = font.render(text, designPixels(p, static_cast<float>(size)), baseline);
        const float base = top - size * lineSpacing + size * 0.25f;
        p.canvas.paintMask(mask, static_cast<int>(p.cx(b.left + captionPadding)), static_cast<int>(p.cy(base)) - baseline,
                           ink);
        top -= size * lineSpacing;
    };
    line(caption.name, bold, captionNameSize, inkOf(Ink::Plain));
    for (const std::string& text : caption.lines)
        line(text, regular, captionTextSize, rgb(232, 236, 242));
}
}  // namespace

bool paintTourStep(WindowPainter& p, size_t step, const TextRenderer& bold, const TextRenderer& regular,
                   const std::function<std::string(const std::string&)>& translate) {
    if (!bold.ok() || !regular.ok() || step >= tourSteps().size())
        return false;
    const TourStep& shown = tourSteps()[step];
    const std::string key = shown.key;
    if (key == "plate_rate")
        drawPlateMotion(p);
    if (key == "lithosphere")
        drawBracket(p, lithosphereBracket());
    if (key == "continental_lithosphere")
        drawBracket(p, continentalLithosphereBracket());
    bool ok = false;
    for (FeatureLabel label : featureLabels())
        if (label.key == key) {
            label.text = translate(label.text);
            ok = drawLabel(p, bold, label);
        }
    const LaidOutCaption caption = layOutCaption(oneLine(translate(shown.name)), translate(shown.sentence), bold, regular);
    if (!caption.fits)
        std::fprintf(stderr, "the caption of \"%s\" does not fit its box\n", caption.name.c_str());
    drawCaption(p, caption, bold, regular);
    return ok && caption.fits;
}

Image paintedTourPicture(int width, int height, size_t step, const std::string& boldFile,
                         const std::string& regularFile, const std::function<std::string(const std::string&)>& translate) {
    const TextRenderer bold(boldFile), regular(regularFile);
    if (!bold.ok() || !regular.ok() || width <= 0 || height <= 0)
        return {};
    WindowPainter p(width, height);
    paintTourStep(p, step, bold, regular, translate);
    return p.canvas.toImage(4);
}
