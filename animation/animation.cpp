// Animation: creation of the cones, vents and arrow, and their update.
#include "animation/animation.h"

#include <cmath>

#include "animation/random.h"
#include "animation/vent_cone.h"
#include "render/plate.h"
#include "render/scene.h"

std::list<VentCone*> ventCones;
std::list<Vent*> vents;
Arrow* theArrow = nullptr;

namespace {
constexpr float halfSweep = 0.5f;
constexpr float fullSweep = 1.0f;
constexpr float coneSpreadX = 0.1f;     // further cones stand within x +- this of the first
constexpr float coneStepZ = 0.3f;       // each further cone stands this much further back
constexpr float scaleSpread = 0.5f;     // further cones have scale 1 +- this
constexpr float arrowSpeed = 0.5f;      // phase per second
constexpr float arrowCycle = 2.0f;
constexpr float flowSpeed = 0.1f;       // rock picture repeats per second
constexpr float flowRepeat = 1.0f;      // one whole repeat of the rock picture
constexpr Arrow startArrow = {{0.3625f, 0.2f, -1.0f}, -90.0f, 0.075f, 0.6f, 0.0f};

void addCone(const float position[3], float scale, float sweep, bool seepage) {
    VentCone* cone = new VentCone{};
    cone->position[0] = position[0];
    cone->position[1] = position[1];
    cone->position[2] = position[2];
    cone->scale = scale;
    buildVentCone(cone, scale, sweep);
    ventCones.push_back(cone);
    vents.push_back(new Vent{cone->windowX, cone->windowY, cone->scale, ventRiseTime,
                             ventHoldTime, ventFadeTime, 0.0f, 0.0f, seepage, false});
}
}  // namespace

void createAnimation() {
    addCone(firstVentPosition, 1.0f, halfSweep, true);
    for (int i = 1; i < ventCount; ++i) {
        const float u1 = randomUnit();
        const float position[3] = {firstVentPosition[0] + coneSpreadX * (2 * u1 - 1),
                                   firstVentPosition[1], firstVentPosition[2] - coneStepZ * i};
        const float u2 = randomUnit();
        addCone(position, 1.0f + scaleSpread * (2 * u2 - 1), fullSweep, false);
    }
    theArrow = new Arrow(startArrow);
}

void updateVent(Vent& vent, float dt) {
    if (vent.active) {
        vent.activeTime += dt;
    } else if (vent.idleTime > 0) {
        vent.idleTime -= dt;
        if (vent.idleTime <= 0) {
            vent.active = true;
            vent.activeTime = 0;
        }
    } else {
        const float u = randomUnit();
        vent.idleTime = longestWait * (1 - u) + shortestWait * u;
    }
}

void updateAnimation(float dt) {
    // A step that is not a forward step (a clock gone backwards, a broken
    // estimate) moves nothing.
    if (!(dt >= 0.0f) || !std::isfinite(dt))
        dt = 0.0f;
    // The wraps take any step back into range at once: after a stall of many
    // cycles the arrow would otherwise stay hidden for many frames. For a
    // step of less than one cycle fmod is the single subtraction, exactly.
    if (theArrow != nullptr) {
        theArrow->phase += arrowSpeed * dt;
        if (theArrow->phase > arrowCycle)
            theArrow->phase = std::fmod(theArrow->phase, arrowCycle);
    }
    if (thePlates != nullptr) {
        thePlates->flowOffset -= flowSpeed * dt;
        if (thePlates->flowOffset < 0.0f) {
            thePlates->flowOffset = std::fmod(thePlates->flowOffset, flowRepeat) + flowRepeat;
            // A tiny negative offset rounds up to a whole repeat: the same picture as 0.
            if (thePlates->flowOffset >= flowRepeat)
                thePlates->flowOffset -= flowRepeat;
        }
    }
    for (Vent* vent : vents)
        updateVent(*vent, dt);
}
