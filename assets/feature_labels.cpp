// The feature labels' texts, places and targets, and their layout.
#include "assets/feature_labels.h"

#include <algorithm>
#include <cmath>

#include "assets/canvas.h"

// Marks a text for the catalog's template (xgettext --keyword=N_).
#define N_(text) text

namespace {
constexpr float frontZ = 2.0f;
// The plate's end normals, at its flat end and at its descending end.
constexpr float flatNormal[2] = {0.0f, 1.0f}, slabNormal[2] = {0.44721f, 0.89443f};
constexpr float plateStart = -4.4f, plateLength = 5.4f;

ScenePoint front(float x, float y) { return {x, y, frontZ}; }

// A point depth below the plate's top at x, along its normal.
ScenePoint inSlab(float x, float depth) {
    const WindowPoint n = plateNormalAt(x);
    return front(x - depth * n.x, plateTopAt(x) - depth * n.y);
}

// Foci along the slab, from the trench down to where the panel's logo
// covers it, alternately near its top and deeper in its crust.
std::vector<ScenePoint> quakePoints() {
    std::vector<ScenePoint> points;
    for (int k = 0; k < 8; ++k)
        points.push_back(inSlab(-0.25f + 0.1f * static_cast<float>(k), k % 2 == 0 ? 0.025f : 0.06f));
    return points;
}

std::vector<ScenePoint> dropPoints() {
    std::vector<ScenePoint> points;
    for (float x : {0.24f, 0.30f, 0.36f})
        points.push_back(front(x, plateTopAt(x) + 0.04f));
    return points;
}

// In the mantle wedge, over the slab where the rising magma begins.
constexpr ScenePoint meltPoint{0.385f, -0.36f, -1.0f, true};

std::vector<WindowPoint> projected(const std::vector<ScenePoint>& points) {
    std::vector<WindowPoint> out;
    for (const ScenePoint& p : points)
        out.push_back(project(p));
    return out;
}
}  // namespace

float plateTopAt(float x) {
    const float p = x - plateStart;
    if (p <= 4.0f)
        return -0.13f;
    if (p <= 4.5f)
        return -0.13f - 0.5f * (p - 4.0f) * (p - 4.0f);
    return -0.255f - 0.5f * (p - 4.5f);
}

WindowPoint plateNormalAt(float x) {
    const float u = std::clamp((x - plateStart) / plateLength, 0.0f, 1.0f);
    const float nx = (1 - u) * flatNormal[0] + u * slabNormal[0], ny = (1 - u) * flatNormal[1] + u * slabNormal[1];
    const float length = std::hypot(nx, ny);
    return {nx / length, ny / length};
}

float crustBaseAt(float x) {
    const float s = x + 0.1f;   // the land's own parameter, from the coast
    const auto surface = [](float t) { return 0.2f - 0.3f * std::exp(-3.0f * t / 4.1f); };
    const float root = std::fabs(x - 0.4f) < 0.5f ? 0.05f * std::sin(std::acos(2.0f * (x - 0.4f))) : 0.0f;
    return surface(s) + 1.5f * (surface(0) - surface(s)) - 0.1f - root;
}

float crustBaseMeetsSlab() {
    // The base runs above the slab inland of this point and below it seaward.
    float low = -0.1f, high = 0.6f;
    for (int i = 0; i < 40; ++i) {
        const float mid = (low + high) / 2;
        (crustBaseAt(mid) > plateTopAt(mid) ? high : low) = mid;
    }
    return high;
}

std::vector<WindowPoint> earthquakeMarks() { return projected(quakePoints()); }
std::vector<WindowPoint> waterDrops() { return projected(dropPoints()); }
WindowPoint meltCentre() { return project(meltPoint); }

Bracket lithosphereBracket() {
    // From the plate's top to the bottom of its lower band, at the window's left edge.
    return {8, project(front(-0.8f, -0.48f)).y + 4, project(front(-0.8f, -0.13f)).y};
}

std::vector<FeatureLabel> featureLabels() {
    const ScenePoint none;
    return {
        {"lithosphere", N_("Lithosphere\n(oceanic plate)"), {14, 52, 160, 112}, Target::None, false, none},
        {"oceanic_crust", N_("Oceanic crust"), {10, 190, 146, 228}, Target::OceanicCrust, true, front(-0.5f, -0.145f)},
        {"lithospheric_mantle", N_("Lithospheric mantle"), {165, 54, 352, 88}, Target::PlateMantle, false, none},
        {"asthenosphere", N_("Asthenosphere\n(upper mantle)"), {8, 4, 164, 40}, Target::Asthenosphere, false, none,
         Ink::Light},
        {"mid_ocean_ridge", N_("from a mid-ocean ridge"), {14, 248, 182, 280}, Target::None, false, none, Ink::Light,
         Align::Left, 12},
        {"plate_rate", N_("about 5 cm per year"), {14, 116, 168, 132}, Target::None, false, none, Ink::Light,
         Align::Left, 12},
        {"trench", N_("Trench"), {148, 182, 258, 218}, Target::Trench, true, front(-0.2f, -0.15f)},
        {"accretionary_wedge", N_("Accretionary wedge"), {184, 250, 345, 268}, Target::Sediment, true,
         front(-0.147f, -0.145f), Ink::Plain, Align::Centre},
        {"volcanic_arc", N_("Volcanic arc"), {240, 386, 360, 406}, Target::Cone, true, ScenePoint{0.33f, 0.27f, 1.4f}},
        {"not_to_scale", N_("Not to scale"), {480, 378, 634, 394}, Target::None, false, none, Ink::Light, Align::Right,
         12},
        {"rising_magma", N_("Rising magma"), {512, 238, 636, 276}, Target::Magma, true, ScenePoint{0.40f, -0.05f, -1.0f, true},
         Ink::Hot},
        {"continental_crust", N_("Continental crust"), {496, 162, 636, 198}, Target::LandRock, true, front(0.615f, -0.2f),
         Ink::Plain, Align::Right},
        {"partial_melting", N_("Partial melting\n(mantle wedge)"), {498, 74, 638, 108}, Target::Melt, true, meltPoint,
         Ink::Hot},
        {"earthquakes", N_("Earthquakes (Benioff zone)"), {168, 30, 398, 48}, Target::Earthquake, true,
         quakePoints()[4]},
        {"water", N_("Water released from the slab"), {170, 4, 420, 22}, Target::Water, true, dropPoints()[1],
         Ink::Water},
    };
}

LaidOutLabel layOut(const FeatureLabel& label, const TextRenderer& font) {
    LaidOutLabel out;
    size_t from = 0;
    for (;;) {
        const size_t end = label.text.find('\n', from);
        out.lines.push_back(label.text.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
    const float lineHeight = label.size * lineSpacing;
    float widest = 0;
    std::vector<float> widths;
    for (const std::string& line : out.lines) {
        widths.push_back(font.advance(line, label.size));
        widest = std::max(widest, widths.back());
    }
    const Box& place = label.place;
    const float height = lineHeight * static_cast<float>(out.lines.size());
    float left = place.left;
    if (label.align == Align::Centre)
        left = (place.left + place.right - widest) / 2;
    else if (label.align == Align::Right)
        left = place.right - widest;
    out.text = {left, place.top - height, left + widest, place.top};
    for (size_t i = 0; i < out.lines.size(); ++i) {
        // The baseline sits a quarter of the line above the line's bottom.
        out.baselines.push_back(place.top - lineHeight * static_cast<float>(i + 1) + label.size * 0.25f);
        float lineLeft = left;
        if (label.align == Align::Centre)
            lineLeft = left + (widest - widths[i]) / 2;
        else if (label.align == Align::Right)
            lineLeft = left + widest - widths[i];
        out.lefts.push_back(lineLeft);
    }
    out.fits = widest <= place.width() && height <= place.height();
    // The point of the box, grown by the gap, that lies nearest the anchor.
    const Box& t = out.text;
    const WindowPoint anchor = label.anchor();
    out.leaderStart = {std::clamp(anchor.x, t.left - leaderGap, t.right + leaderGap),
                       std::clamp(anchor.y, t.bottom - leaderGap, t.top + leaderGap)};
    return out;
}
