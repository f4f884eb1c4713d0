// The feature labels' texts, places and targets, and their layout.
#include "assets/feature_labels.h"

#include <algorithm>
#include <cmath>

#include "assets/canvas.h"
#include "velmkit/velm_text.h"

// Marks a text for the catalog's template (xgettext --keyword=N_).
#define N_(text) text

namespace {
constexpr float frontZ = 2.0f;
// The plate's end normals, at its flat end and at its descending end.
constexpr float flatNormal[2] = {0.0f, 1.0f}, slabNormal[2] = {0.44721f, 0.89443f};
constexpr float plateStart = -4.4f, plateLength = 5.4f;

ScenePoint front(float x, float y) { return {x, y, frontZ}; }
// The continental crust's share of the overriding lithosphere's thickness.
constexpr float crustShare = 0.36f;
// The trench: its deepest point, its depth below the plate's top there and
// the half width of its seaward wall (model units), and the coast, where
// the wedge's face meets the shelf.
constexpr float trenchX = -0.205f, trenchDepth = 0.04f, trenchHalfWidth = 0.2f, coastX = -0.1f;
// The landward wall's width: the toe of the wedge, steep.
constexpr float trenchWallWidth = 0.035f;
// The accretionary wedge's face on the front face, from its foot on the sea
// floor to the coast, as the scene draws it.
constexpr float wedgeFootX = -0.3f, wedgeFootY = -0.2f, coastY = -0.1f;
float wedgeFaceAt(float x) { return wedgeFootY + (x - wedgeFootX) / (coastX - wedgeFootX) * (coastY - wedgeFootY); }

// A point depth below the plate's top at x, along its normal.
ScenePoint inSlab(float x, float depth) {
    const WindowPoint n = plateNormalAt(x);
    return front(x - depth * n.x, plateTopAt(x) - depth * n.y);
}

// Foci landward of the trench: three on the plate's top under the forearc,
// where the plates lock and slip (the largest earthquakes, megathrust), then
// down the slab to where the panel's logo covers it, alternately near its
// top and deeper in its crust (the Benioff zone).
std::vector<ScenePoint> quakePoints() {
    std::vector<ScenePoint> points;
    for (float x : {-0.13f, -0.04f, 0.05f})
        points.push_back(inSlab(x, 0.012f));
    for (int k = 0; k < 5; ++k)
        points.push_back(inSlab(0.14f + 0.08f * static_cast<float>(k), k % 2 == 0 ? 0.06f : 0.025f));
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

float landTopAt(float x) {
    const float e = std::exp(-3.0f * (x + 0.1f) / 4.1f);   // the land's own rise, from the coast
    return 0.2f * (1 - e) - 0.1f * e;
}

float mohoAt(float x) { return landTopAt(x) - crustShare * (landTopAt(x) - crustBaseAt(x)); }

ScenePoint trenchBottom() { return front(trenchX, plateTopAt(trenchX) - trenchDepth); }

float seaFloorAt(float x) {
    // The plate's top, bent down more steeply into a narrow trough whose
    // deepest point is at the wedge's toe; landward of it, the wedge's face
    // rises to the continent's shelf at the coast.
    const float toe = trenchX;
    if (x <= toe) {
        const float t = std::clamp((x - (toe - trenchHalfWidth)) / trenchHalfWidth, 0.0f, 1.0f);
        return plateTopAt(x) - trenchDepth * t * t;
    }
    const float bottom = plateTopAt(toe) - trenchDepth, wallTop = toe + trenchWallWidth;
    if (x < wallTop)
        return bottom + (x - toe) / trenchWallWidth * (wedgeFaceAt(wallTop) - bottom);
    return wedgeFaceAt(std::min(x, coastX));
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

Bracket continentalLithosphereBracket() {
    // From the land's top to the base of the lithosphere, at the window's right edge.
    constexpr float x = 0.76f;
    return {628, project(front(x, crustBaseAt(x))).y, project(front(x, landTopAt(x))).y, false};
}

std::vector<FeatureLabel> featureLabels() {
    const ScenePoint none;
    return {
        {"lithosphere", N_("Lithosphere\n(oceanic plate)"), {14, 56, 160, 108}, Target::None, false, none},
        {"oceanic_crust", N_("Oceanic crust"), {10, 190, 146, 228}, Target::OceanicCrust, true, front(-0.5f, -0.145f)},
        {"lithospheric_mantle", N_("Lithospheric mantle"), {165, 50, 372, 84}, Target::PlateMantle, false, none},
        {"subducting_plate", N_("Subducting plate"), {176, 89, 362, 106}, Target::Slab, true, inSlab(0.05f, 0.05f)},
        {"asthenosphere", N_("Asthenosphere"), {10, 8, 130, 26}, Target::Asthenosphere, false, none, Ink::Light},
        {"mid_ocean_ridge", N_("from a mid-ocean ridge"), {20, 112, 300, 127}, Target::None, false, none, Ink::Light,
         Align::Left, 12},
        {"plate_rate", N_("about 5 cm per year"), {14, 131, 200, 146}, Target::None, false, none, Ink::Light,
         Align::Left, 12},
        {"trench", N_("Trench"), {148, 182, 258, 218}, Target::Trench, true, trenchBottom()},
        {"accretionary_wedge", N_("Accretionary wedge"), {164, 250, 365, 268}, Target::Sediment, true,
         front(-0.147f, -0.14f), Ink::Plain, Align::Centre},
        {"volcanic_arc", N_("Volcanic arc"), {228, 318, 404, 336}, Target::Cone, true, ScenePoint{0.33f, 0.27f, 1.4f}},
        {"not_to_scale", N_("Not to scale"), {470, 378, 630, 394}, Target::None, false, none, Ink::Light, Align::Right,
         12},
        {"rising_magma", N_("Rising magma"), {506, 246, 620, 279}, Target::Magma, true,
         ScenePoint{0.40f, -0.05f, -1.0f, true}, Ink::Hot},
        {"continental_crust", N_("Continental\ncrust"), {506, 190, 620, 224}, Target::LandRock, false,
         front(0.68f, mohoAt(0.68f) + 0.05f), Ink::Plain, Align::Right},
        {"continental_lithosphere", N_("Continental\nlithosphere"), {506, 128, 620, 162}, Target::None, false, none,
         Ink::Plain, Align::Right},
        // Set from the right where the English text, once centred, ends:
        // longer translations grow towards the melt, not off the picture.
        {"mantle_wedge", N_("Mantle wedge"), {476, 78, 620.5f, 96}, Target::MantleWedge, false, front(0.62f, -0.3f),
         Ink::Plain, Align::Right},
        // Clear of the foci below it and left of it; one line ends where it always has.
        {"partial_melting", N_("Partial melting"), {345, 134.75f, 468, 185}, Target::Melt, true, meltPoint, Ink::Hot,
         Align::Right, 13, true},
        {"earthquakes", N_("Earthquakes (Benioff zone)"), {168, 29, 420, 46}, Target::Earthquake, true,
         quakePoints()[4]},
        {"water", N_("Water released by the sinking plate"), {134, 8, 482, 25}, Target::Water, true, dropPoints()[1],
         Ink::Water, Align::Right},
    };
}

LaidOutLabel layOut(const FeatureLabel& label, const TextRenderer& font) {
    LaidOutLabel out;
    size_t from = 0;
    for (;;) {
        const size_t end = label.text.find('\n', from);
        const std::string line = label.text.substr(from, end == std::string::npos ? std::string::npos : end - from);
        if (label.growsUp) {
            for (std::string& piece : breakLines(line, label.place.width(), font, label.size))
                out.lines.push_back(std::move(piece));
        } else {
            out.lines.push_back(line);
        }
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
    const float top = label.growsUp ? place.bottom + height : place.top;
    out.text = {left, top - height, left + widest, top};
    for (size_t i = 0; i < out.lines.size(); ++i) {
        // The baseline sits a quarter of the line above the line's bottom.
        out.baselines.push_back(top - lineHeight * static_cast<float>(i + 1) + label.size * 0.25f);
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

namespace {
bool boxesNear(const Box& a, const Box& b, float gap) {
    return a.left < b.right + gap && b.left < a.right + gap && a.bottom < b.top + gap && b.bottom < a.top + gap;
}

float crossing(WindowPoint o, WindowPoint a, WindowPoint b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool segmentsCross(WindowPoint a, WindowPoint b, WindowPoint c, WindowPoint d) {
    return crossing(a, b, c) * crossing(a, b, d) < 0 && crossing(c, d, a) * crossing(c, d, b) < 0;
}

bool segmentCrossesBox(WindowPoint a, WindowPoint b, const Box& box) {
    const WindowPoint corners[4] = {{box.left, box.bottom}, {box.right, box.bottom}, {box.right, box.top}, {box.left, box.top}};
    for (int i = 0; i < 4; ++i)
        if (segmentsCross(a, b, corners[i], corners[(i + 1) % 4]))
            return true;
    return false;
}
}  // namespace

std::vector<std::string> layoutProblems(const std::vector<FeatureLabel>& labels, const std::vector<LaidOutLabel>& laid) {
    std::vector<std::string> problems;
    const auto named = [&](size_t i) { return std::string(labels[i].key); };
    for (size_t i = 0; i < laid.size(); ++i) {
        const Box& t = laid[i].text;
        if (t.left < labelMargin || t.bottom < labelMargin || t.right > designWidth - labelMargin ||
            t.top > designHeight - labelMargin)
            problems.push_back(named(i) + " is nearer than " + std::to_string(static_cast<int>(labelMargin)) +
                               " pixels to the picture's edge");
        for (size_t j = 0; j < laid.size(); ++j) {
            if (j == i)
                continue;
            if (j > i && boxesNear(t, laid[j].text, labelSpacing))
                problems.push_back(named(i) + " and " + named(j) + " are nearer than " +
                                   std::to_string(static_cast<int>(labelSpacing)) + " pixels");
            if (!labels[i].leader)
                continue;
            const WindowPoint from = laid[i].leaderStart, to = labels[i].anchor();
            if (segmentCrossesBox(from, to, laid[j].text))
                problems.push_back("the leader of " + named(i) + " crosses the text of " + named(j));
            if (j > i && labels[j].leader && segmentsCross(from, to, laid[j].leaderStart, labels[j].anchor()))
                problems.push_back("the leaders of " + named(i) + " and " + named(j) + " cross");
        }
        // A burst under a letter hides the focus and blots the word.
        for (const WindowPoint& q : earthquakeMarks())
            if (boxesNear(t, {q.x - quakeBurstRadius, q.y - quakeBurstRadius, q.x + quakeBurstRadius,
                              q.y + quakeBurstRadius}, 0))
                problems.push_back(named(i) + " lies over an earthquake focus");
    }
    return problems;
}

const std::vector<TourStep>& tourSteps() {
    static const std::vector<TourStep> steps = {
        {"plate_rate", N_("Plate motion"),
         N_("The oceanic plate moves towards the trench by about 5 cm a year, as fast as your fingernails grow. It "
            "was made at a mid-ocean ridge far to the left.")},
        {"oceanic_crust", N_("Oceanic crust"),
         N_("The top layer of the oceanic plate: dark, heavy basalt about 7 km thick, made at the mid-ocean ridge.")},
        {"lithospheric_mantle", N_("Lithospheric mantle"),
         N_("Under the crust lies cool, solid mantle rock. It is joined to the crust and moves with it as one rigid "
            "plate.")},
        {"lithosphere", N_("Lithosphere (oceanic plate)"),
         N_("The crust and the lithospheric mantle together make the lithosphere: the rigid plate, here about 100 km "
            "thick.")},
        {"asthenosphere", N_("Asthenosphere"),
         N_("Below the plates the mantle is so hot that its solid rock flows very slowly, and the rigid plates glide "
            "over it.")},
        {"trench", N_("Trench"),
         N_("The deepest part of the ocean. Here the oceanic plate bends down and begins to sink under the "
            "continent.")},
        {"accretionary_wedge", N_("Accretionary wedge"),
         N_("Mud and sand from the sea floor are scraped off the sinking plate and piled up against the continent, "
            "like snow in front of a plough.")},
        {"subducting_plate", N_("Subducting plate"),
         N_("The oceanic plate sinks into the mantle because it is colder and heavier than the rock around it. This "
            "sinking is called subduction.")},
        {"earthquakes", N_("Earthquakes (Benioff zone)"),
         N_("Where the plates scrape past each other, rock breaks: the strongest earthquakes happen near the trench, "
            "others deep along the sinking plate.")},
        {"water", N_("Water released by the sinking plate"),
         N_("As the plate sinks it warms up, and water locked in its minerals is squeezed out and rises into the "
            "mantle above.")},
        {"mantle_wedge", N_("Mantle wedge"),
         N_("The hot mantle between the sinking plate and the continent. The water from the plate lets its rock melt "
            "at a lower temperature.")},
        {"partial_melting", N_("Partial melting"),
         N_("Only a small part of the mantle rock melts and becomes magma. Magma is lighter than solid rock, so it "
            "rises.")},
        {"rising_magma", N_("Rising magma"),
         N_("The magma rises through cracks in the continental plate. Some of it cools deep underground; the rest "
            "erupts at the volcanoes.")},
        {"volcanic_arc", N_("Volcanic arc"),
         N_("A chain of volcanoes along the trench, fed by the rising magma. They give off gas and ash when they "
            "erupt.")},
        {"continental_crust", N_("Continental crust"),
         N_("The top of the continental plate: thick, light rock like granite. It is less dense than oceanic crust, "
            "so it does not sink.")},
        {"continental_lithosphere", N_("Continental lithosphere"),
         N_("The continental crust and the mantle under it make the rigid continental plate, which rides over the "
            "sinking oceanic plate.")},
    };
    return steps;
}

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::vector<std::string> breakLines(const std::string& text, float width, const TextRenderer& font, int size) {
    // The text in pieces a line may end after: a word with the space after
    // it, or in Chinese and Japanese a character (with what may not be
    // parted from it).
    std::vector<std::string> pieces(1);
    const std::vector<VelmCharacter> characters = velmCharacters(text);
    for (size_t k = 0; k < characters.size(); ++k) {
        const size_t end = k + 1 < characters.size() ? characters[k + 1].at : text.size();
        pieces.back().append(text, characters[k].at, end - characters[k].at);
        if (k + 1 < characters.size() &&
            (characters[k].code == ' ' || velmBreakBetween(characters[k].code, characters[k + 1].code)))
            pieces.emplace_back();
    }
    const auto trimmed = [](std::string line) {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        return line;
    };
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& piece : pieces) {
        if (!line.empty() && font.advance(trimmed(line + piece), size) > width) {
            lines.push_back(trimmed(line));
            line.clear();
        }
        line += piece;
    }
    if (!trimmed(line).empty())
        lines.push_back(trimmed(line));
    return lines;
}

LaidOutCaption layOutCaption(const std::string& name, const std::string& sentence, const TextRenderer& bold,
                             const TextRenderer& regular) {
    LaidOutCaption out;
    const float room = captionBox.width() - 2 * captionPadding;
    out.name = name;
    out.lines = breakLines(sentence, room, regular, captionTextSize);
    float widest = bold.advance(name, captionNameSize);
    for (const std::string& line : out.lines)
        widest = std::max(widest, regular.advance(line, captionTextSize));
    const float height = captionNameSize * lineSpacing + captionTextSize * lineSpacing * out.lines.size();
    out.fits = widest <= room && height <= captionBox.height() - 2 * captionPadding;
    return out;
}
