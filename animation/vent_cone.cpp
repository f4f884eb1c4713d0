// Vent cones: shape, display list, anchor projection and drawing.
#include "animation/vent_cone.h"

#include <GL/glu.h>

#include <cmath>


namespace {
constexpr float pi = 3.14159265358979f;
constexpr float baseRadiusPerScale = 0.35f;
constexpr float topRadiusPerScale = 0.02f;
constexpr float heightPerScale = 0.4f;
constexpr float sectionTolerance = 0.00001f;
constexpr float pushBack = 0.1f;   // polygon offset behind coplanar faces
}  // namespace

ConeShape coneShape(float a, float b) {
    ConeShape shape;
    shape.baseRadius = baseRadiusPerScale * a;
    shape.topRadius = topRadiusPerScale * a;
    shape.height = heightPerScale * a;
    shape.slope = (shape.baseRadius - shape.topRadius) / shape.height;
    shape.sweep = b;
    shape.shiftZ = shape.baseRadius * std::sin(shape.angle(0));
    return shape;
}

float ConeShape::angle(int j) const {
    return pi * (0.5f + sweep * (static_cast<float>(j) / (coneSides / 2) - 1.0f));
}

void ConeShape::basePoint(int j, float out[3]) const {
    const float theta = angle(j);
    out[0] = baseRadius * std::cos(theta);
    out[1] = 0;
    out[2] = -baseRadius * std::sin(theta) + shiftZ;
}

void ConeShape::topPoint(int j, float out[3]) const {
    const float theta = angle(j);
    out[0] = topRadius * std::cos(theta);
    out[1] = height;
    out[2] = -topRadius * std::sin(theta) + shiftZ;
}

void ConeShape::normal(int j, float out[3]) const {
    const float theta = angle(j);
    out[0] = std::cos(theta);
    out[1] = slope;
    out[2] = -std::sin(theta);
    const float length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    for (int i = 0; i < 3; ++i)
        out[i] /= length;
}

bool ConeShape::hasSection() const { return sweep + sectionTolerance < 1.0f; }

std::vector<ConeVertex> coneVertices(const ConeShape& shape) {
    std::vector<ConeVertex> out;
    const float arcStep = pi * shape.baseRadius / (coneSides / 2);
    for (int j = 0; j < coneSides; ++j) {
        ConeVertex v[4];
        shape.normal(j, v[0].normal);
        shape.normal(j + 1, v[1].normal);
        shape.normal(j + 1, v[2].normal);
        shape.normal(j, v[3].normal);
        v[0].texture[0] = v[3].texture[0] = arcStep * j;
        v[1].texture[0] = v[2].texture[0] = arcStep * (j + 1);
        v[0].texture[1] = v[1].texture[1] = 0;
        v[2].texture[1] = v[3].texture[1] = shape.height;
        shape.basePoint(j, v[0].position);
        shape.basePoint(j + 1, v[1].position);
        shape.topPoint(j + 1, v[2].position);
        shape.topPoint(j, v[3].position);
        out.insert(out.end(), v, v + 4);
    }
    if (shape.hasSection()) {
        ConeVertex v[4];
        for (ConeVertex& vertex : v) {
            vertex.normal[0] = vertex.normal[1] = 0;
            vertex.normal[2] = 1;
        }
        const float R = shape.baseRadius, r = shape.topRadius, H = shape.height;
        const float texture[4][2] = {{-R, 0}, {R, 0}, {r, H}, {-r, H}};
        shape.basePoint(coneSides, v[0].position);
        shape.basePoint(0, v[1].position);
        shape.topPoint(0, v[2].position);
        shape.topPoint(coneSides, v[3].position);
        for (int i = 0; i < 4; ++i) {
            v[i].texture[0] = texture[i][0];
            v[i].texture[1] = texture[i][1];
        }
        out.insert(out.end(), v, v + 4);
    }
    return out;
}

void compileVentCone(VentCone* cone, float scale, float sweep) {
    cone->displayList = glGenLists(1);
    glNewList(cone->displayList, GL_COMPILE);
    glBegin(GL_QUADS);
    for (const ConeVertex& v : coneVertices(coneShape(scale, sweep))) {
        glNormal3fv(v.normal);
        glTexCoord2fv(v.texture);
        glVertex3fv(v.position);
    }
    glEnd();
    glEndList();
}

void buildVentCone(VentCone* cone, float scale, float sweep) {
    const ConeShape shape = coneShape(scale, sweep);
    compileVentCone(cone, scale, sweep);

    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The rim point at angle pi, where the smoke leaves the cone.
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(cone->position[0] - shape.topRadius, cone->position[1] + shape.height,
               cone->position[2] + shape.shiftZ, modelview, projection, viewport, &wx, &wy, &wz);
    cone->windowX = static_cast<float>(wx);
    cone->windowY = static_cast<float>(wy);
}

void drawVentCone(const VentCone* cone, GLuint landTexture) {
    glPushMatrix();
    glTranslatef(cone->position[0], cone->position[1], cone->position[2]);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, landTexture);
    glPolygonOffset(pushBack, pushBack);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glCallList(cone->displayList);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glPopMatrix();
}
