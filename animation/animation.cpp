// Animation: creation of the cones, vents and arrow, and their update.
#include "animation/animation.h"

#include <cmath>

#include "animation/random.h"
#include "animation/vent_cone.h"

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

void addCone(Animation& animation, const float position[3], float scale, float sweep, bool seepage) {
    VentCone* cone = new VentCone{};
    cone->position[0] = position[0];
    cone->position[1] = position[1];
    cone->position[2] = position[2];
    cone->scale = scale;
    buildVentCone(cone, scale, sweep);
    animation.ventCones.push_back(cone);
    animation.vents.push_back(new Vent{cone->windowX, cone->windowY, cone->scale, ventRiseTime,
                             ventHoldTime, ventFadeTime, 0.0f, 0.0f, seepage, false});
}
}  // namespace

void createAnimation(Animation& animation) {
    addCone(animation, firstVentPosition, 1.0f, halfSweep, true);
    for (int i = 1; i < ventCount; ++i) {
        const float u1 = randomUnit();
        const float position[3] = {firstVentPosition[0] + coneSpreadX * (2 * u1 - 1),
                                   firstVentPosition[1], firstVentPosition[2] - coneStepZ * i};
        const float u2 = randomUnit();
        addCone(animation, position, 1.0f + scaleSpread * (2 * u2 - 1), fullSweep, false);
    }
    animation.theArrow = new Arrow(startArrow);
}

void destroyAnimation(Animation& animation, bool glContextAlive) {
    for (VentCone* cone : animation.ventCones) {
        if (cone == nullptr)
            continue;
        if (glContextAlive)
            glDeleteLists(cone->displayList, 1);
        delete cone;
    }
    animation.ventCones.clear();
    for (Vent* vent : animation.vents)
        delete vent;
    animation.vents.clear();
    delete animation.theArrow;
    animation.theArrow = nullptr;
}

void recompileCones(Animation& animation) {
    for (VentCone* cone : animation.ventCones)
        compileVentCone(cone, cone->scale, cone == animation.ventCones.front() ? halfSweep : fullSweep);
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

void updateAnimation(Animation& animation, float& flowOffset, float dt) {
    // A step that is not a forward step (a clock gone backwards, a broken
    // estimate) moves nothing.
    if (!(dt >= 0.0f) || !std::isfinite(dt))
        dt = 0.0f;
    // The wraps take any step back into range at once: after a stall of many
    // cycles the arrow would otherwise stay hidden for many frames. For a
    // step of less than one cycle fmod is the single subtraction, exactly.
    if (Arrow* arrow = animation.theArrow) {
        arrow->phase += arrowSpeed * dt;
        if (arrow->phase > arrowCycle)
            arrow->phase = std::fmod(arrow->phase, arrowCycle);
    }
    flowOffset -= flowSpeed * dt;
    if (flowOffset < 0.0f) {
        flowOffset = std::fmod(flowOffset, flowRepeat) + flowRepeat;
        // A tiny negative offset rounds up to a whole repeat: the same picture as 0.
        if (flowOffset >= flowRepeat)
            flowOffset -= flowRepeat;
    }
    for (Vent* vent : animation.vents)
        updateVent(*vent, dt);
}
