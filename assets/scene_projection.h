// Where model points land in the 640 by 480 design with the scene's camera,
// for placing labels in the pictures.
#pragma once

#include <cstdint>

// The size everything is designed for, in pixels.
constexpr int32_t designWidth = 640;
constexpr int32_t designHeight = 480;

struct WindowPoint {
    float x, y;   // window pixels from the lower left
};

// A model-space point through the scene camera (perspective 60 degrees,
// aspect 4:3, near 0.5; translate (0, 0.3, -3), then 10 degrees about x).
WindowPoint projectModel(float x, float y, float z);
// An eye-space point (as the arrow is drawn) through the same perspective.
WindowPoint projectEye(float x, float y, float z);

// A point of the scene: of the model, or of the eye's space.
struct ScenePoint {
    float x = 0, y = 0, z = 0;
    bool eyeSpace = false;
};
// Where it lands in the design.
WindowPoint project(const ScenePoint& p);
