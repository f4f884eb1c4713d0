// The oceanic plate: flat under the sea, bending at the trench, descending.
#pragma once

#include <vector>

#include "render/scene.h"

struct TextureSet;

// The plate-surface object; its rock picture flows by flowOffset.
class PlateSurfaces {
public:
    PlateSurfaces();

    float flowOffset;   // texture repeats, in [0, 1]

    // End normals shared by all plates, computed by the first construction.
    static float flatEndNormal[3];         // Na
    static float descendingEndNormal[3];   // Nb
    static bool normalsPending;
};

// Plate parameter p runs 0..plateLength; vertex x = p + plateStartX.
constexpr float plateLength = 5.4f;
constexpr float plateStartX = -4.4f;

// Height of the plate's top at p.
float plateHeight(float p);
// Unit normal of the plate's top at p.
void plateNormal(float p, float out[3]);
// The strips the plate is drawn in (55).
std::vector<Strip> plateStrips();
// Draws the plate's top, its rock cut face and its crust band, the pictures
// slid along by the plate's flowOffset.
void drawPlates(const PlateSurfaces& plates, const TextureSet& textures);
