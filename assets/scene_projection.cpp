// The scene camera's projection, for the picture generator.
#include "assets/scene_projection.h"

#include <cmath>

namespace {
constexpr double fieldOfView = 60.0, aspect = double(designWidth) / designHeight;
constexpr double width = designWidth, height = designHeight;
constexpr double tiltDegrees = 10.0;
constexpr double pi = 3.14159265358979323846;
}  // namespace

WindowPoint projectEye(float x, float y, float z) {
    const double f = 1.0 / std::tan(fieldOfView * pi / 360.0);
    const double w = -z;
    const double nx = f / aspect * x / w, ny = f * y / w;
    return {static_cast<float>((nx + 1) * width / 2), static_cast<float>((ny + 1) * height / 2)};
}

WindowPoint project(const ScenePoint& p) { return p.eyeSpace ? projectEye(p.x, p.y, p.z) : projectModel(p.x, p.y, p.z); }

WindowPoint projectModel(float x, float y, float z) {
    const double a = tiltDegrees * pi / 180.0;
    const double ry = y * std::cos(a) - z * std::sin(a);
    const double rz = y * std::sin(a) + z * std::cos(a);
    return projectEye(x, static_cast<float>(ry + 0.3), static_cast<float>(rz - 3.0));
}
