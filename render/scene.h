// The scene objects the shell creates, and the points they share.
#pragma once

class PlateSurfaces;
class Block;

// An object without members: the model is drawn only while it exists.
struct SceneAnchor {};

extern PlateSurfaces* thePlates;
extern Block* theBlock;
extern SceneAnchor* theSceneAnchor;

// Where the first vent cone stands, in model space.
constexpr float firstVentPosition[3] = {0.4f, -0.15f, 2.0f};

// A strip [from, to] of a surface along x, in its own parameter.
struct Strip {
    float from;
    float to;
};
