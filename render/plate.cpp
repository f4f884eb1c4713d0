// The descending plate: its height profile, normals, strips and drawing.
#include "render/plate.h"

#include <GL/gl.h>

#include <algorithm>

#include "assets/textures.h"
#include "render/vector_math.h"

float PlateSurfaces::flatEndNormal[3] = {0, 0, 0};
float PlateSurfaces::descendingEndNormal[3] = {0, 0, 0};
bool PlateSurfaces::normalsPending = true;

namespace {
constexpr float flatHeight = -0.13f;
constexpr float bendStart = 4.0f;      // p where the bend begins
constexpr float bendEnd = 4.5f;        // p where the straight descent begins
constexpr float bendEndHeight = -0.255f;
constexpr float bendCurvature = 0.5f;
constexpr float descentSlope = 0.5f;
constexpr float stripWidth = 0.1f;
constexpr float rockThickness = 0.1f;
constexpr float crustBottom = 0.35f;   // below the top, along the normal
constexpr float frontZ = 2.0f, backZ = -2.0f;
constexpr float rockShade[4] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr float pullForward = -0.1f;   // polygon offset: wins over coplanar faces
}  // namespace

PlateSurfaces::PlateSurfaces() : flowOffset(0.0f) {
    if (!normalsPending)
        return;
    const float a0[3] = {0, flatHeight, frontZ}, a1[3] = {1, flatHeight, frontZ},
                a2[3] = {0, flatHeight, backZ};
    faceNormal(a0, a1, a2, flatEndNormal);
    const float b0[3] = {5.39f, -0.7f, frontZ}, b1[3] = {5.4f, -0.705f, frontZ},
                b2[3] = {5.39f, -0.7f, backZ};
    faceNormal(b0, b1, b2, descendingEndNormal);
    normalsPending = false;
}

float plateHeight(float p) {
    const float u = p / plateLength;
    if (u <= bendStart / plateLength)
        return flatHeight;
    if (u <= bendEnd / plateLength)
        return flatHeight - bendCurvature * (p - bendStart) * (p - bendStart);
    return bendEndHeight - descentSlope * (p - bendEnd);
}

void plateNormal(float p, float out[3]) {
    const float u = p / plateLength;
    for (int i = 0; i < 3; ++i)
        out[i] = (1 - u) * PlateSurfaces::flatEndNormal[i] + u * PlateSurfaces::descendingEndNormal[i];
    normalize(out);
}

std::vector<Strip> plateStrips() {
    std::vector<Strip> strips;
    float p = 0.0f;
    do {
        strips.push_back({p, std::min(p + stripWidth, plateLength)});
        p += stripWidth;
    } while (p < plateLength);
    return strips;
}

namespace {
// The point depth below the top at p, along the normal n, on the front face.
void below(float p, const float* n, float depth, float out[3]) {
    out[0] = p + plateStartX - depth * n[0];
    out[1] = plateHeight(p) - depth * n[1];
    out[2] = frontZ - depth * n[2];
}
}  // namespace

void drawPlates(const PlateSurfaces& plates, const TextureSet& textures) {
    const float f = plates.flowOffset;
    static const std::vector<Strip> strips = plateStrips();   // made once: no allocation per frame
    glPolygonOffset(pullForward, pullForward);
    glEnable(GL_POLYGON_OFFSET_FILL);

    glBindTexture(GL_TEXTURE_2D, textures.rockTexture);
    glBegin(GL_QUADS);
    for (const Strip& s : strips) {
        float n[3], m[3], v[3];
        plateNormal(s.from, n);
        plateNormal(s.to, m);
        const float x = s.from + plateStartX, x2 = s.to + plateStartX;
        const float y = plateHeight(s.from), y2 = plateHeight(s.to);
        glColor4fv(rockShade);
        // Top.
        glNormal3fv(n);
        glTexCoord2f(f + s.from, 2);
        glVertex3f(x, y, frontZ);
        glNormal3fv(m);
        glTexCoord2f(f + s.to, 2);
        glVertex3f(x2, y2, frontZ);
        glTexCoord2f(f + s.to, -2);
        glVertex3f(x2, y2, backZ);
        glNormal3fv(n);
        glTexCoord2f(f + s.from, -2);
        glVertex3f(x, y, backZ);
        // Cut face of the rock layer.
        glNormal3f(0, 0, 1);
        glTexCoord2f(f + s.from, 2);
        glVertex3f(x, y, frontZ);
        glTexCoord2f(f + s.from, 2 + rockThickness);
        below(s.from, n, rockThickness, v);
        glVertex3fv(v);
        glTexCoord2f(f + s.to, 2 + rockThickness);
        below(s.to, m, rockThickness, v);
        glVertex3fv(v);
        glTexCoord2f(f + s.to, 2);
        glVertex3f(x2, y2, frontZ);
    }
    glEnd();

    glBindTexture(GL_TEXTURE_2D, textures.crustTexture);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    for (const Strip& s : strips) {
        float n[3], m[3], v[3];
        plateNormal(s.from, n);
        plateNormal(s.to, m);
        glColor4f(1, 1, 1, 1);
        glTexCoord2f(f + s.from, 2);
        below(s.from, n, rockThickness, v);
        glVertex3fv(v);
        glTexCoord2f(f + s.from, 2 + crustBottom - rockThickness);
        below(s.from, n, crustBottom, v);
        glVertex3fv(v);
        glTexCoord2f(f + s.to, 2 + crustBottom - rockThickness);
        below(s.to, m, crustBottom, v);
        glVertex3fv(v);
        glTexCoord2f(f + s.to, 2);
        below(s.to, m, rockThickness, v);
        glVertex3fv(v);
    }
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
}
