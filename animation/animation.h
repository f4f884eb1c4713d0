// Animation state: the smoke vents, the arrow and the flowing rock.
#pragma once

#include <list>

struct VentCone;

// A smoke vent: waits 10 to 30 s, puffs for riseTime + holdTime + fadeTime.
struct Vent {
    float anchorX;        // window pixels from the left
    float anchorY;        // window pixels from the bottom
    float scale;
    float riseTime;
    float holdTime;
    float fadeTime;
    float activeTime;     // seconds since the puff began
    float idleTime;       // seconds left before the next puff
    bool hasSeepage;
    bool active;
};

// The arrow of rising magma, uncovered and covered in a cycle.
struct Arrow {
    float position[3];
    float angle;          // degrees about z
    float width;
    float length;
    float phase;          // 0..2
};

// Everything that moves: the cones with their vents (the k-th vent belongs
// to the k-th cone) and the arrow. Records are owned here, one by one.
struct Animation {
    std::list<VentCone*> ventCones;
    std::list<Vent*> vents;
    Arrow* theArrow = nullptr;
};

// Where the first vent cone stands, in model space; the land's cut face
// bulges under its x.
constexpr float firstVentPosition[3] = {0.4f, -0.15f, 2.0f};

// Builds the six cones with their vents, then the arrow. Needs the camera set:
// each cone projects its anchor with the current matrices.
void createAnimation(Animation& animation);
// Frees cones (their display lists too when the GL context is alive), vents
// and the arrow, and empties the lists.
void destroyAnimation(Animation& animation, bool glContextAlive);
// Compiles every cone again, for a new GL context (the old lists are gone
// with the old context); anchors and layout stay.
void recompileCones(Animation& animation);
// Advances the arrow, the flow of the rock (flowOffset, in picture repeats)
// and every vent by dt seconds.
void updateAnimation(Animation& animation, float& flowOffset, float dt);
// Advances one vent.
void updateVent(Vent& vent, float dt);

// Puff timing.
constexpr float ventRiseTime = 3.0f;
constexpr float ventHoldTime = 10.0f;
constexpr float ventFadeTime = 5.0f;
constexpr float shortestWait = 10.0f;
constexpr float longestWait = 30.0f;
constexpr int ventCount = 6;
