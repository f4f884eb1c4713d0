// Where model points land in the 640 by 480 window with the scene's camera,
// for placing labels in the pictures.
#pragma once

struct WindowPoint {
    float x, y;   // window pixels from the lower left
};

// A model-space point through the scene camera (perspective 60 degrees,
// aspect 4:3, near 0.5; translate (0, 0.3, -3), then 10 degrees about x).
WindowPoint projectModel(float x, float y, float z);
// An eye-space point (as the arrow is drawn) through the same perspective.
WindowPoint projectEye(float x, float y, float z);
