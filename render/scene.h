// The scene objects, made and freed together, and the strips surfaces are
// drawn in.
#pragma once

class PlateSurfaces;
class Block;

// An object without members: the model is drawn only while it exists.
struct SceneAnchor {};

// The three scene objects; the model is drawn only while all three exist.
struct Scene {
    PlateSurfaces* thePlates = nullptr;
    Block* theBlock = nullptr;
    SceneAnchor* theSceneAnchor = nullptr;

    bool complete() const { return thePlates != nullptr && theBlock != nullptr && theSceneAnchor != nullptr; }
};

// Makes the plate surfaces, the block and the anchor, in this order.
void createScene(Scene& scene);
// Frees them in the same order.
void destroyScene(Scene& scene);

// A strip [from, to] of a surface along x, in its own parameter.
struct Strip {
    float from;
    float to;
};
