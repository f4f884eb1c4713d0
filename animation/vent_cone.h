// Vent cones: textured cones open at the top, compiled into display lists.
#pragma once

#include <GL/gl.h>

#include <vector>

struct VentCone {
    GLuint displayList;
    float position[3];   // model space
    float windowX;       // projected rim point, pixels from the left
    float windowY;       // pixels from the bottom
    float scale;
};

// The measurements of a cone of scale a and sweep b (fraction of a turn).
struct ConeShape {
    float baseRadius;
    float topRadius;
    float height;
    float slope;          // (baseRadius - topRadius) / height
    float shiftZ;         // z of the local frame's axis offset
    float sweep;
    float angle(int j) const;               // j = 0..coneSides
    void basePoint(int j, float out[3]) const;
    void topPoint(int j, float out[3]) const;
    void normal(int j, float out[3]) const;
    bool hasSection() const;                // a cone cut open shows its section
};

constexpr int coneSides = 16;

ConeShape coneShape(float scale, float sweep);

// One vertex of the cone's quads, as it goes into the display list.
struct ConeVertex {
    float normal[3];
    float texture[2];
    float position[3];
};
// The cone's quads, four vertices each: the sides, then the section if any.
std::vector<ConeVertex> coneVertices(const ConeShape& shape);

// Compiles the cone into a display list and projects its rim point with the
// current matrices and viewport into windowX, windowY.
void buildVentCone(VentCone* cone, float scale, float sweep);
// Compiles the cone into a new display list (for a new GL context); its
// anchor stays where it was.
void compileVentCone(VentCone* cone, float scale, float sweep);
// Draws the cone at its position, textured with the land.
void drawVentCone(const VentCone* cone, GLuint landTexture);
