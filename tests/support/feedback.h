// What a drawing call hands to GL, caught in feedback mode: every polygon
// that survives culling and clipping, its vertices in the coordinates the
// drawing code gave (before the view set here), with their lit colours and
// texture coordinates.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

struct FedVertex {
    std::array<float, 3> position;
    std::array<float, 4> colour;
    std::array<float, 2> texture;
};
using FedPolygon = std::vector<FedVertex>;

// A box of world coordinates mapped linearly onto the feedback window.
struct FeedbackBox {
    float left, right, bottom, top, nearZ, farZ;   // z: nearZ in front, farZ behind
};

// The box around the model: every scene object lies within 8 units.
constexpr FeedbackBox sceneBox{-8, 8, -8, 8, 8, -8};

// The model is seen tilted by this much about x, so that faces looking up
// face the viewer as well as faces looking to the front.
constexpr float feedbackTilt = 30.0f;

namespace feedback_detail {
inline void viewFrom(const FeedbackBox& box, float tilt) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // glOrtho takes distances in front of the eye: z = near maps to depth 0.
    glOrtho(box.left, box.right, box.bottom, box.top, -box.nearZ, -box.farZ);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(tilt, 1, 0, 0);
}
inline void restoreView() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// The polygons (and, when asked for, the line segments) of a feedback
// buffer of GL_3D_COLOR_TEXTURE vertices, placed by position.
inline std::vector<FedPolygon> polygonsOf(const std::vector<GLfloat>& buffer, GLint used,
                                          std::vector<FedPolygon>* lines,
                                          const std::function<std::array<float, 3>(const GLfloat*)>& position) {
    auto vertexAt = [&](GLint i) {
        FedVertex v;
        v.position = position(&buffer[i]);
        v.colour = {buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]};
        v.texture = {buffer[i + 7] / buffer[i + 10], buffer[i + 8] / buffer[i + 10]};
        return v;
    };
    constexpr GLint vertexFloats = 3 + 4 + 4;
    std::vector<FedPolygon> polygons;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        GLint count = 0;
        if (token == GL_POLYGON_TOKEN)
            count = static_cast<GLint>(buffer[i++]);
        else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                 token == GL_COPY_PIXEL_TOKEN)
            count = 1;
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            count = 2;
        else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
            continue;
        }
        FedPolygon polygon;
        for (GLint k = 0; k < count; ++k, i += vertexFloats)
            polygon.push_back(vertexAt(i));
        if (token == GL_POLYGON_TOKEN)
            polygons.push_back(polygon);
        else if (lines != nullptr && count == 2)
            lines->push_back(polygon);
    }
    return polygons;
}
}  // namespace feedback_detail

// Runs draw under an orthographic view of box, tilted by tilt degrees about
// x (the caller's matrices are kept), and returns what GL was given, in the
// coordinates before the tilt. Polygons may come back split into triangles;
// line segments go into lines when asked for.
inline std::vector<FedPolygon> feedPolygons(const std::function<void()>& draw, FeedbackBox box = sceneBox,
                                            float tilt = feedbackTilt, std::vector<FedPolygon>* lines = nullptr) {
    constexpr GLint side = 1024;
    static std::vector<GLfloat> buffer(1 << 20);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, side, side);
    feedback_detail::viewFrom(box, tilt);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    feedback_detail::restoreView();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);

    const float c = std::cos(tilt * 3.14159265f / 180), s = std::sin(tilt * 3.14159265f / 180);
    return feedback_detail::polygonsOf(buffer, used, lines, [&](const GLfloat* f) {
        const float x = box.left + f[0] / side * (box.right - box.left);
        const float y = box.bottom + f[1] / side * (box.top - box.bottom);
        const float z = box.nearZ + f[2] * (box.farZ - box.nearZ);
        return std::array<float, 3>{x, y * c + z * s, z * c - y * s};
    });
}

// What draw hands to GL under the caller's own matrices and viewport, its
// vertices in window pixels (origin lower left) and window depth.
inline std::vector<FedPolygon> feedWindowPolygons(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    return feedback_detail::polygonsOf(buffer, used, nullptr,
                                       [](const GLfloat* f) { return std::array<float, 3>{f[0], f[1], f[2]}; });
}

// The colour GL's lighting gives a vertex of this colour and normal at this
// place under the current lights and material, seen as feedPolygons with
// this tilt sees it: the oracle for normals, found by feeding one point.
inline std::array<float, 4> litColour(const std::array<float, 3>& position, const float normal[3],
                                      const std::array<float, 4>& colour, float tilt = feedbackTilt) {
    static std::vector<GLfloat> buffer(64);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, 1024, 1024);
    feedback_detail::viewFrom(sceneBox, tilt);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glBegin(GL_POINTS);
    glColor4fv(colour.data());
    glNormal3fv(normal);
    glVertex3fv(position.data());
    glEnd();
    glRenderMode(GL_RENDER);
    feedback_detail::restoreView();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    return {buffer[4], buffer[5], buffer[6], buffer[7]};
}

// Triangles in a list of polygons: a quad counts two, however GL split it.
inline int triangleCount(const std::vector<FedPolygon>& polygons) {
    int count = 0;
    for (const FedPolygon& p : polygons)
        count += static_cast<int>(p.size()) - 2;
    return count;
}

inline bool closeTo(float a, float b, float eps = 2e-3f) { return std::fabs(a - b) <= eps; }
