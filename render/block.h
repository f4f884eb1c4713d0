// The continental side of the block (land, crust band, sediment wedge) and the sea.
#pragma once

#include <vector>

#include "render/scene.h"

struct TextureSet;

// The block object; its first construction computes the land's end normals.
class Block {
public:
    Block();

    static float coastNormal[3];    // N0
    static float inlandNormal[3];   // N1
    static bool normalsPending;
};

// Land parameter s runs 0..landLength; vertex x = s + landStartX.
constexpr float landLength = 4.1f;
constexpr float landStartX = -0.1f;

// Height of the land surface at s.
float landHeight(float s);
// Depth of the bulge under the first vent at s (0 away from it).
float ventBulge(float s);
// Bottom of the land layer on the front face at s.
float layerBottom(float s);
// Unit normal of the land surface at s.
void landNormal(float s, float out[3]);
// The strips the land is drawn in (21).
std::vector<Strip> landStrips();

// Thickness of the continental crust band under the land layer.
constexpr float continentalCrustThickness = 0.2f;

// Draws the land with its cut face, the crust band under it and the
// sediment wedge.
void drawBlock(const TextureSet& textures);
// Draws the translucent sea over the ocean side.
void drawSea();
