// The land block and the sea: profiles, normals, strips and drawing.
#include "render/block.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "animation/animation.h"
#include "assets/textures.h"
#include "render/vector_math.h"

float Block::coastNormal[3] = {0, 0, 0};
float Block::inlandNormal[3] = {0, 0, 0};
bool Block::normalsPending = true;

namespace {
constexpr float riseRate = 3.0f;          // e(s) = exp(-riseRate s / landLength)
constexpr float inlandHeight = 0.2f;
constexpr float coastHeight = -0.1f;
constexpr float layerThickness = 0.1f;    // at the coast
constexpr float thickening = 1.5f;        // bottom sinks half as much as the top rises
constexpr float bulgeDepth = 0.05f;
constexpr float bulgeHalfWidth = 0.5f;
constexpr float fineStrip = 0.05f;
constexpr float fineEnd = 1.0f;           // strips are fine up to here, then one wide strip
constexpr float frontZ = 2.0f, backZ = -2.0f;
constexpr float wedgeFootX = -0.3f, wedgeTopX = -0.1f;
constexpr float wedgeHeight = 0.1f;
constexpr float wedgeFaceT = 1.9f;
constexpr float seaLeftX = -4.2f, seaRightX = 0.1f;
constexpr float seaFloorY = -0.2f, seaSurfaceY = -0.07f;
constexpr float seaColour[4] = {0.4f, 0.7f, 1.0f, 0.6f};
constexpr float pushBack = 0.1f;          // polygon offset: loses to coplanar faces

float rise(float s) { return std::exp(-riseRate * s / landLength); }
}  // namespace

float landHeight(float s) {
    const float e = rise(s);
    return inlandHeight * (1 - e) + coastHeight * e;
}

float ventBulge(float s) {
    const float offset = s + landStartX - firstVentPosition[0];
    if (std::fabs(offset) >= bulgeHalfWidth)
        return 0.0f;
    return bulgeDepth * std::sin(std::acos(offset / bulgeHalfWidth));
}

float layerBottom(float s) {
    const float h = landHeight(s);
    return h + thickening * (landHeight(0) - h) - layerThickness - ventBulge(s);
}

Block::Block() {
    if (!normalsPending)
        return;
    const float p0[3] = {0, landHeight(0), frontZ}, q0[3] = {0.01f, landHeight(0.01f), frontZ},
                r0[3] = {0, landHeight(0), backZ};
    faceNormal(p0, q0, r0, coastNormal);
    const float p1[3] = {4.09f, landHeight(4.09f), frontZ},
                q1[3] = {landLength, landHeight(landLength), frontZ},
                r1[3] = {4.09f, landHeight(4.09f), backZ};
    faceNormal(p1, q1, r1, inlandNormal);
    normalsPending = false;
}

void landNormal(float s, float out[3]) {
    const float t = (rise(s) - 1.0f) / (std::exp(-riseRate) - 1.0f);
    for (int i = 0; i < 3; ++i)
        out[i] = (1 - t) * Block::coastNormal[i] + t * Block::inlandNormal[i];
    normalize(out);
}

std::vector<Strip> landStrips() {
    std::vector<Strip> strips;
    float s = 0.0f;
    for (;;) {
        const float s2 = s < fineEnd ? std::min(s + fineStrip, landLength) : landLength;
        strips.push_back({s, s2});
        if (s >= fineEnd)
            break;
        s += fineStrip;
        if (s >= landLength)
            break;
    }
    return strips;
}

void drawBlock(const TextureSet& textures) {
    static const std::vector<Strip> strips = landStrips();   // made once: no allocation per frame
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, textures.landTexture);
    glBegin(GL_QUADS);
    for (const Strip& strip : strips) {
        const float s = strip.from, s2 = strip.to;
        const float x = s + landStartX, x2 = s2 + landStartX;
        const float h = landHeight(s), h2 = landHeight(s2);
        const float b = layerBottom(s), b2 = layerBottom(s2);
        float n[3], n2[3];
        landNormal(s, n);
        landNormal(s2, n2);
        // Top.
        glNormal3fv(n);
        glTexCoord2f(s, 2);
        glVertex3f(x, h, frontZ);
        glNormal3fv(n2);
        glTexCoord2f(s2, 2);
        glVertex3f(x2, h2, frontZ);
        glTexCoord2f(s2, -2);
        glVertex3f(x2, h2, backZ);
        glNormal3fv(n);
        glTexCoord2f(s, -2);
        glVertex3f(x, h, backZ);
        // Cut face: the picture runs on from the top over the edge.
        glNormal3f(0, 0, 1);
        glTexCoord2f(s, 2);
        glVertex3f(x, h, frontZ);
        glTexCoord2f(s, 2 + h - b);
        glVertex3f(x, b, frontZ);
        glTexCoord2f(s2, 2 + h2 - b2);
        glVertex3f(x2, b2, frontZ);
        glTexCoord2f(s2, 2);
        glVertex3f(x2, h2, frontZ);
    }
    glEnd();

    glBindTexture(GL_TEXTURE_2D, textures.crustTexture);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    const float band = continentalCrustThickness;
    for (const Strip& strip : strips) {
        const float s = strip.from, s2 = strip.to;
        const float x = s + landStartX, x2 = s2 + landStartX;
        const float t = 2 + landHeight(s) - layerBottom(s), t2 = 2 + landHeight(s2) - layerBottom(s2);
        const float b = layerBottom(s), b2 = layerBottom(s2);
        glTexCoord2f(s, t);
        glVertex3f(x, b, frontZ);
        glTexCoord2f(s, t + band);
        glVertex3f(x, b - band, frontZ);
        glTexCoord2f(s2, t2 + band);
        glVertex3f(x2, b2 - band, frontZ);
        glTexCoord2f(s2, t2);
        glVertex3f(x2, b2, frontZ);
    }
    glEnd();

    // The sediment wedge at the foot of the coast.
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, textures.sedimentTexture);
    const float y0 = landHeight(0), y1 = landHeight(0) - wedgeHeight;
    const float p[3] = {wedgeFootX, y1, frontZ}, q[3] = {wedgeTopX, y0, frontZ},
                r[3] = {wedgeFootX, y1, backZ};
    float slope[3];
    faceNormal(p, q, r, slope);
    glBegin(GL_QUADS);
    glNormal3fv(slope);
    glTexCoord2f(wedgeFootX, 2);
    glVertex3f(wedgeFootX, y1, frontZ);
    glTexCoord2f(wedgeTopX, 2);
    glVertex3f(wedgeTopX, y0, frontZ);
    glTexCoord2f(wedgeTopX, -2);
    glVertex3f(wedgeTopX, y0, backZ);
    glTexCoord2f(wedgeFootX, -2);
    glVertex3f(wedgeFootX, y1, backZ);
    glEnd();
    glBegin(GL_TRIANGLES);
    glNormal3f(0, 0, 1);
    glTexCoord2f(wedgeFootX, wedgeFaceT);
    glVertex3f(wedgeFootX, y1, frontZ);
    glTexCoord2f(wedgeTopX, wedgeFaceT);
    glVertex3f(wedgeTopX, y1, frontZ);
    glTexCoord2f(wedgeTopX, 2);
    glVertex3f(wedgeTopX, y0, frontZ);
    glEnd();
}

void drawSea() {
    glPolygonOffset(pushBack, pushBack);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_TEXTURE_2D);
    glColor4fv(seaColour);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glVertex3f(seaLeftX, seaFloorY, frontZ);
    glVertex3f(seaRightX, seaFloorY, frontZ);
    glVertex3f(seaRightX, seaSurfaceY, frontZ);
    glVertex3f(seaLeftX, seaSurfaceY, frontZ);
    glNormal3f(0, 1, 0);
    glVertex3f(seaLeftX, seaSurfaceY, frontZ);
    glVertex3f(seaRightX, seaSurfaceY, frontZ);
    glVertex3f(seaRightX, seaSurfaceY, backZ);
    glVertex3f(seaLeftX, seaSurfaceY, backZ);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_POLYGON_OFFSET_FILL);
}
