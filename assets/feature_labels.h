// The labels of the highlighted features and the marks they point at, as
// data: where each text must fit, what its leader points at in the model,
// and how it is laid out. Design pixels: 640 by 480, y up from the bottom.
#pragma once

#include <string>
#include <vector>

#include "assets/scene_projection.h"

class TextRenderer;

// A rectangle in design pixels.
struct Box {
    float left, bottom, right, top;
    float width() const { return right - left; }
    float height() const { return top - bottom; }
};

// What a label names; its leader (or, without one, its text) lies on it.
enum class Target {
    None,             // the bracket's label: the bracket shows what it spans
    OceanicCrust,     // the plate's thin top layer
    PlateMantle,      // the plate's lower band
    Asthenosphere,    // the mantle under the plate
    Trench,           // the plate's top where it bends down
    Sediment,         // the accretionary wedge at the foot of the coast
    Cone,             // a volcano of the arc
    LandRock,         // the continental crust: the land's cut face under its soil, down to the Moho
    Slab,             // the oceanic plate where it sinks under the continent
    MantleWedge,      // the asthenosphere between the overriding plate and the slab
    Melt,             // the melt zone in the mantle wedge, over the slab
    Water,            // a water droplet leaving the slab
    Earthquake,       // a focus in the slab
    Magma,            // the rising magma's path, where its arrow is drawn
};

enum class Ink { Plain, Water, Hot, Light };
enum class Align { Left, Centre, Right };

struct FeatureLabel {
    const char* key;      // a stable name, for translations
    std::string text;     // line feeds start new lines
    Box place;            // the text must fit here
    Target target;
    bool leader;          // a line from the text to its target
    ScenePoint at;        // the point of the scene the leader ends on
    Ink ink = Ink::Plain;
    Align align = Align::Left;
    int size = 13;        // pixels
    // Broken at spaces to the place's width and stacked up from its bottom:
    // a longer translation grows away from what lies under its one line.
    bool growsUp = false;
    // Where the leader ends in the design.
    WindowPoint anchor() const { return project(at); }
};

// The labels, in English.
std::vector<FeatureLabel> featureLabels();

// The scene's front face as the pictures follow it, in model units: the
// plate's top at x and its unit normal there, and the base of the
// continental crust (the bottom of the land's layer), with the x where that
// base meets the slab's top; inland of it the mantle wedge lies between them.
float plateTopAt(float x);
WindowPoint plateNormalAt(float x);
float crustBaseAt(float x);
float crustBaseMeetsSlab();
// The overriding plate at x on the front face: the land's top edge, and the
// base of its crust (the Moho), a third of the way down to the base of its
// lithosphere (crustBaseAt: the land layer's bottom).
float landTopAt(float x);
float mohoAt(float x);
// The trench: its deepest point on the front face (model x and y), where
// the plate's top, bent down into it, meets the accretionary wedge's toe;
// the sea floor's depth under the water at x, that trough included.
ScenePoint trenchBottom();
float seaFloorAt(float x);

// Marks of the plain view (the overlay picture), in design pixels.
std::vector<WindowPoint> waterDrops();       // droplets rising from the slab
std::vector<WindowPoint> earthquakeMarks();  // foci in the slab, from the trench down (a Benioff zone)
WindowPoint meltCentre();                    // the middle of the melt zone, in the mantle wedge
constexpr float meltRadiusX = 30, meltRadiusY = 12;
// A bracket beside a plate's layers: its x and the ends of its span; its
// ticks point right (the oceanic plate's, at the left edge) or left (the
// continental plate's, at the right edge).
struct Bracket {
    float x, bottom, top;
    bool ticksRight = true;
};
Bracket lithosphereBracket();
Bracket continentalLithosphereBracket();

// Every label at least this far inside the picture, and from another
// label's text, in design pixels.
constexpr float labelMargin = 8.0f;
constexpr float labelSpacing = 4.0f;
// How far an earthquake focus's burst reaches from its centre, in design pixels.
constexpr float quakeBurstRadius = 7.5f;

// A label set in its place.
struct LaidOutLabel {
    Box text;                     // the box its lines take
    std::vector<std::string> lines;
    std::vector<float> baselines; // one per line, design pixels
    std::vector<float> lefts;     // where each line starts
    WindowPoint leaderStart;      // on the text box's edge, nearest the anchor
    bool fits;                    // the text fits its place
};
LaidOutLabel layOut(const FeatureLabel& label, const TextRenderer& font);
// What keeps labels set as laid from being read: a text nearer than
// labelMargin to the picture's edge, two texts nearer than labelSpacing, a
// leader that crosses another label's text or leader, a text over an
// earthquake focus. Empty when none.
std::vector<std::string> layoutProblems(const std::vector<FeatureLabel>& labels,
                                        const std::vector<LaidOutLabel>& laid);

// One step of the tour of the features: the one label it shows (by its
// key), the feature's name in the caption and what a teacher says of it to
// 12-to-16-year-olds; English, the catalog's keys.
struct TourStep {
    const char* key;
    const char* name;
    const char* sentence;
};
// The steps, from the ridge's side to the arc, top to bottom, as a teacher
// tells it.
const std::vector<TourStep>& tourSteps();
// A name as one line: a translation may break a name that is also a label's.
std::string oneLine(std::string text);

// The caption of a step: in the sky, clear of the panel (its check box's
// caption in any language), the "Paused" badge
// and every label but "Not to scale" (which the tour does not show); its
// name in bold, its sentences under it.
constexpr Box captionBox{232, 360, 632, 446};
constexpr int captionNameSize = 13, captionTextSize = 12;
constexpr float captionPadding = 6.0f;
// A caption set in its box: the name's line, then the sentence's lines;
// fits when they take no more than the box holds.
struct LaidOutCaption {
    std::string name;
    std::vector<std::string> lines;
    bool fits;
};
LaidOutCaption layOutCaption(const std::string& name, const std::string& sentence, const TextRenderer& bold,
                             const TextRenderer& regular);
// Text broken at spaces into lines no wider than width pixels at size (a
// word wider than width stands alone on its line).
std::vector<std::string> breakLines(const std::string& text, float width, const TextRenderer& font, int size);

// Line spacing as a share of the text size.
constexpr float lineSpacing = 1.25f;
// Gap between a text box and its leader.
constexpr float leaderGap = 3.0f;
