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
    LandRock,         // the rock of the land's cut face, under its soil
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

// Marks of the plain view (the overlay picture), in design pixels.
std::vector<WindowPoint> waterDrops();       // droplets rising from the slab
std::vector<WindowPoint> earthquakeMarks();  // foci in the slab, from the trench down (a Benioff zone)
WindowPoint meltCentre();                    // the middle of the melt zone, in the mantle wedge
constexpr float meltRadiusX = 30, meltRadiusY = 12;
// The bracket beside the plate's layers: its x and the ends of its span.
struct Bracket {
    float x, bottom, top;
};
Bracket lithosphereBracket();

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

// Line spacing as a share of the text size.
constexpr float lineSpacing = 1.25f;
// Gap between a text box and its leader.
constexpr float leaderGap = 3.0f;
