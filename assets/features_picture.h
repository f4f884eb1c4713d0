// The pictures painted from the scene's data: the plain view's marks (in
// the overlay) and the features picture (the labels, their leaders, the
// plate's motion), at any size. The generator stores it
// at the design's size; the program paints it again at the size shown, so
// that its texts are as sharp on a projector as in the window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "assets/canvas.h"
#include "assets/scene_projection.h"

// Paints in design pixels (640 by 480, y up from the bottom) on a canvas of
// width by height pixels, scale canvas pixels to a design pixel (from the
// height).
struct WindowPainter {
    WindowPainter(int width, int height)
        : scale(static_cast<float>(height) / static_cast<float>(designHeight)), canvas(width, height) {}
    float scale;
    Canvas canvas;
    float cx(float x) const { return x * scale; }
    float cy(float y) const { return (designHeight - y) * scale; }
};

// The font the labels are set in, wherever the picture is painted, so that
// a text that fits its place in the generator fits it everywhere.
constexpr const char* labelFontFile = "DEJAVUSANSB.TTF";

// Paints what the plain view shows over the scene's cut faces onto p (the
// overlay picture): the overriding plate as lithosphere (its light granitic
// crust over its lithospheric mantle, down to the base of the lithosphere),
// the oceanic plate's mantle, the mantle wedge under the overriding plate,
// the trench's deep water, the accretionary wedge's sediment, the magma's
// path, the melt zone, the water leaving the slab and the earthquake foci.
// frontCone: the front volcano's faces (design pixels), given its rock's colour.
void paintPlainView(WindowPainter& p, const std::vector<std::vector<WindowPoint>>& frontCone = {});
// Paints the features onto p; translate gives a label's text (the English
// one, the catalog's key) in the language shown. False when a text does
// not fit its place: it is left out, and the rest is painted.
bool paintFeatures(WindowPainter& p, const TextRenderer& font,
                   const std::function<std::string(const std::string&)>& translate);
// The font of the tour's captions' sentences.
constexpr const char* captionFontFile = "DEJAVUSANS.TTF";
// Paints one step of the tour of the features onto p: that feature's label
// and leader alone (with its bracket, or the plate's motion), and its
// caption in the sky. False when a text does not fit its place or box
// (the rest is painted) or a font did not load.
bool paintTourStep(WindowPainter& p, size_t step, const TextRenderer& bold, const TextRenderer& regular,
                   const std::function<std::string(const std::string&)>& translate);
// That picture at width by height pixels, as paintedFeaturesPicture; the
// empty Image when a font cannot be read.
Image paintedTourPicture(int width, int height, size_t step, const std::string& boldFile,
                         const std::string& regularFile,
                         const std::function<std::string(const std::string&)>& translate);
// The features picture at width by height pixels as an RGBA picture, bottom
// row first, its texts set in fontFile; the empty Image when the font
// cannot be read.
Image paintedFeaturesPicture(int width, int height, const std::string& fontFile,
                             const std::function<std::string(const std::string&)>& translate);
