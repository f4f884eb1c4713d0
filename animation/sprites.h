// Sprites of a puffing vent (smoke, seepage) and the magma arrow.
#pragma once

struct Arrow;
struct TextureSet;
struct Vent;

// Opacities of a puff's leading edge (a) and trailing edge (b); ended is set
// once the puff is over.
struct PuffOpacity {
    float a;
    float b;
    bool ended;
};
PuffOpacity puffOpacity(float activeTime, float riseTime, float holdTime, float fadeTime);

// The window [from, to] of the arrow picture shown at a phase.
struct ArrowWindow {
    float from;
    float to;
};
ArrowWindow arrowWindow(float phase);

// Draws a puffing vent's sprites in window pixels; ends the puff when its
// time is over.
void drawVentSprites(Vent* vent, const TextureSet& textures);
// Draws the arrow's shown window in the current colour.
void drawArrow(const Arrow& theArrow, const TextureSet& textures);
