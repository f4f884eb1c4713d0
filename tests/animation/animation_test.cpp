// Animation: the random generator, cone shapes and anchors, the creation
// sequence, the vent state machine, the arrow and the flow; sprite timing.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "animation/animation.h"
#include "animation/random.h"
#include "animation/sprites.h"
#include "animation/vent_cone.h"
#include "assets/textures.h"
#include "render/frame.h"
#include "support/gl_helpers.h"

namespace {
// The first values of the classic C library generator started from 1, as
// published for it.
const std::vector<int32_t> firstValues = {41,    18467, 6334,  26500, 19169, 15724, 11478, 29358,
                                          26962, 24464, 5705,  28145, 23281, 16827, 9961,  491};

float unit(int32_t v) { return static_cast<float>(v / 32767.0); }

Vent idleVent() { return Vent{0, 0, 1, 3, 10, 5, 0, 0, false, false}; }

// The animation made as the program makes it, with the camera set.
class CreationTest : public ::testing::Test {
protected:
    void SetUp() override {
        glViewport(0, 0, 640, 480);
        setupCamera(640, 480);
        resetRandom();
    }
    void TearDown() override { destroyAnimation(animation, true); }
    Animation animation;
    float flowOffset = 0;
};
}  // namespace

TEST(Random, FifteenBitLinearCongruentialSequenceFromOne) {
    resetRandom();
    for (int32_t value : firstValues)
        ASSERT_EQ(nextRandom(), value);
    for (int i = 0; i < 100000; ++i) {
        const int32_t got = nextRandom();
        ASSERT_GE(got, 0);
        ASSERT_LE(got, randomMax);
    }
    resetRandom();
    EXPECT_FLOAT_EQ(randomUnit(), unit(41));
}

// The drawn shape of whole cones of two sizes: a base circle of 0.35 and a
// rim of 0.02 times the scale, 0.4 times the scale high; the picture laid
// on the side by arc length round the base and height up it; normals of
// unit length, square to the slant and leaning out.
TEST(ConeShape, SidesRiseFromTheBaseCircleToTheRimWithThePictureUnrolledOnThem) {
    for (float scale : {1.0f, 1.5f}) {
        SCOPED_TRACE(scale);
        const ConeShape whole = coneShape(scale, 1.0f);
        EXPECT_FALSE(whole.hasSection());
        const auto v = coneVertices(whole);
        ASSERT_EQ(v.size(), 16u * 4);
        const float R = 0.35f * scale, r = 0.02f * scale, H = 0.4f * scale;
        const float axisZ = whole.shiftZ;
        EXPECT_NEAR(v[0].position[0], 0, 1e-6f) << "the first side starts at the origin";
        EXPECT_NEAR(v[0].position[2], 0, 1e-6f);
        for (size_t i = 0; i < v.size(); ++i) {
            SCOPED_TRACE(i);
            const ConeVertex& p = v[i];
            const bool top = i % 4 >= 2;
            const float dx = p.position[0], dz = p.position[2] - axisZ;
            const float radius = std::sqrt(dx * dx + dz * dz);
            EXPECT_NEAR(radius, top ? r : R, 1e-5f);
            EXPECT_NEAR(p.position[1], top ? H : 0.0f, 1e-6f);
            EXPECT_NEAR(p.texture[1], p.position[1], 1e-6f);
            // Arc length round the base from the first side's start.
            const float turned = std::atan2(-dz, dx) - std::atan2(-(0 - axisZ), 0.0f);
            const float arc = R * std::fmod(turned + 4 * 3.14159265f, 2 * 3.14159265f);
            if (i >= 4) {   // the last side ends where the first began: arc 2 pi R
                EXPECT_NEAR(p.texture[0], arc < 1e-4f ? 2 * 3.14159265f * R : arc, 1e-4f);
            }
            const float n[3] = {p.normal[0], p.normal[1], p.normal[2]};
            EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-5f);
            const float slant[3] = {(r - R) * dx / radius, H, (r - R) * dz / radius};   // base to rim
            EXPECT_NEAR(n[0] * slant[0] + n[1] * slant[1] + n[2] * slant[2], 0.0f, 1e-5f);
            EXPECT_GT(n[0] * dx + n[2] * dz, 0.0f) << "leans out";
        }
    }
}

TEST(ConeShape, HalfConeAddsItsSectionFacingTheViewer) {
    const ConeShape half = coneShape(1.0f, 0.5f);
    EXPECT_TRUE(half.hasSection());
    const auto v = coneVertices(half);
    ASSERT_EQ(v.size(), 17u * 4);
    const float expected[4][3] = {{-0.35f, 0, 0}, {0.35f, 0, 0}, {0.02f, 0.4f, 0}, {-0.02f, 0.4f, 0}};
    for (int i = 0; i < 4; ++i) {
        const ConeVertex& s = v[64 + i];
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(s.position[k], expected[i][k], 1e-6f) << i << "," << k;
        for (int k = 0; k < 2; ++k)   // the picture laid flat on the cut, as on the sides
            EXPECT_NEAR(s.texture[k], expected[i][k], 1e-6f) << i << "," << k;
        EXPECT_EQ(std::vector<float>(s.normal, s.normal + 3), std::vector<float>({0, 0, 1})) << "faces the viewer";
    }
    for (const ConeVertex& vertex : v)
        EXPECT_LE(vertex.position[2], 1e-6f) << "the half cone lies behind its cut";
}

TEST_F(CreationTest, FirstConeAnchorsAtItsRimInTheWindow) {
    VentCone cone{};
    cone.position[0] = 0.4f;
    cone.position[1] = -0.15f;
    cone.position[2] = 2.0f;
    cone.scale = 1.0f;
    buildVentCone(&cone, 1.0f, 0.5f);
    EXPECT_NE(cone.displayList, 0u);
    EXPECT_TRUE(glIsList(cone.displayList));
    EXPECT_NEAR(cone.windowX, 480.0f, 0.1f);
    EXPECT_NEAR(cone.windowY, 323.8f, 0.1f);
    glDeleteLists(cone.displayList, 1);
}

TEST_F(CreationTest, SixConesAndVentsThenTheArrowFromTenDraws) {
    createAnimation(animation);
    ASSERT_EQ(animation.ventCones.size(), 6u);
    ASSERT_EQ(animation.vents.size(), 6u);
    ASSERT_NE(animation.theArrow, nullptr);
    const Arrow* theArrow = animation.theArrow;
    const auto& values = firstValues;
    auto cone = animation.ventCones.begin();
    auto vent = animation.vents.begin();
    EXPECT_FLOAT_EQ((*cone)->position[0], 0.4f);
    EXPECT_FLOAT_EQ((*cone)->scale, 1.0f);
    EXPECT_TRUE((*vent)->hasSeepage);
    for (int i = 1; i < 6; ++i) {
        ++cone;
        ++vent;
        const float u1 = unit(values[2 * (i - 1)]), u2 = unit(values[2 * (i - 1) + 1]);
        EXPECT_FLOAT_EQ((*cone)->position[0], 0.4f + 0.1f * (2 * u1 - 1)) << i;
        EXPECT_FLOAT_EQ((*cone)->position[1], -0.15f);
        EXPECT_NEAR((*cone)->position[2], 2.0f - 0.3f * i, 1e-6f);
        EXPECT_FLOAT_EQ((*cone)->scale, 1.0f + 0.5f * (2 * u2 - 1)) << i;
        EXPECT_FALSE((*vent)->hasSeepage);
        EXPECT_EQ((*vent)->anchorX, (*cone)->windowX);
        EXPECT_EQ((*vent)->anchorY, (*cone)->windowY);
        EXPECT_EQ((*vent)->scale, (*cone)->scale);
        EXPECT_GT((*cone)->windowX, 360.0f);   // behind the first, near x 374..395
        EXPECT_LT((*cone)->windowX, 410.0f);
    }
    for (Vent* v : animation.vents) {
        EXPECT_FALSE(v->active);
        EXPECT_EQ(v->idleTime, 0.0f);
        EXPECT_EQ(v->riseTime, 3.0f);
        EXPECT_EQ(v->holdTime, 10.0f);
        EXPECT_EQ(v->fadeTime, 5.0f);
    }
    EXPECT_EQ(std::vector<float>(theArrow->position, theArrow->position + 3),
              std::vector<float>({0.3625f, 0.2f, -1.0f}));
    EXPECT_FLOAT_EQ(theArrow->angle, -90.0f);
    EXPECT_FLOAT_EQ(theArrow->length, 0.6f);
    EXPECT_FLOAT_EQ(theArrow->width, 0.075f);
    EXPECT_EQ(theArrow->phase, 0.0f) << "hidden at first";

    // The first update draws a waiting time for every vent: values 11 to 16.
    updateAnimation(animation, flowOffset, 0.0f);
    int k = 10;
    for (Vent* v : animation.vents) {
        const float u = unit(values[k++]);
        EXPECT_FLOAT_EQ(v->idleTime, 30 * (1 - u) + 10 * u);
        EXPECT_GE(v->idleTime, 10.0f);
        EXPECT_LE(v->idleTime, 30.0f);
    }
}

TEST_F(CreationTest, LayoutIsTheSameInEveryRun) {
    createAnimation(animation);
    std::vector<float> first;
    for (VentCone* c : animation.ventCones)
        first.insert(first.end(), {c->position[0], c->position[2], c->scale, c->windowX, c->windowY});
    destroyAnimation(animation, true);
    resetRandom();
    createAnimation(animation);
    std::vector<float> second;
    for (VentCone* c : animation.ventCones)
        second.insert(second.end(), {c->position[0], c->position[2], c->scale, c->windowX, c->windowY});
    EXPECT_EQ(first, second);
}

// An idle vent: unscheduled, it draws a wait whatever the step; a zero step
// leaves the countdown alone; a step past zero starts a puff at zero, the
// overshoot dropped.
TEST(VentUpdate, IdleVentCountsDownToAPuff) {
    resetRandom();
    Vent v = idleVent();
    updateVent(v, 0.0f);
    const float u = unit(41);
    EXPECT_FLOAT_EQ(v.idleTime, 30 * (1 - u) + 10 * u);
    v.idleTime = 12.0f;
    updateVent(v, 0.0f);
    EXPECT_FLOAT_EQ(v.idleTime, 12.0f);
    EXPECT_FALSE(v.active);
    v.idleTime = 0.05f;
    updateVent(v, 0.1f);
    EXPECT_TRUE(v.active);
    EXPECT_EQ(v.activeTime, 0.0f);
}

TEST(VentUpdate, ActiveVentGrowsUntilDrawn) {
    Vent v = idleVent();
    v.active = true;
    for (int i = 0; i < 25; ++i)
        updateVent(v, 1.0f);
    EXPECT_TRUE(v.active);
    EXPECT_FLOAT_EQ(v.activeTime, 25.0f);
}

class AnimationUpdate : public ::testing::Test {
protected:
    void SetUp() override { animation.theArrow = &arrow; }
    Arrow arrow{{0, 0, 0}, -90, 0.075f, 0.6f, 0.0f};
    Animation animation;
    float flowOffset = 0;
};

TEST_F(AnimationUpdate, ArrowPhaseWrapsOncePerUpdate) {
    std::vector<float> phases;
    for (int i = 0; i < 5; ++i) {
        updateAnimation(animation, flowOffset, 1.0f);
        phases.push_back(arrow.phase);
    }
    EXPECT_EQ(phases, std::vector<float>({0.5f, 1.0f, 1.5f, 2.0f, 0.5f}));
}

TEST_F(AnimationUpdate, FlowOffsetSlidesAndWrapsIntoTheUnitRange) {
    updateAnimation(animation, flowOffset, 0.1f);
    EXPECT_NEAR(flowOffset, 0.99f, 1e-6f);
    updateAnimation(animation, flowOffset, 0.0f);
    EXPECT_NEAR(flowOffset, 0.99f, 1e-6f);
}

// A stalled frame (a hidden window, a suspended laptop) brings a long step;
// a broken clock a negative or non-finite one.
TEST_F(AnimationUpdate, AnyStepLeavesArrowAndFlowInRange) {
    updateAnimation(animation, flowOffset, 9.0f);   // 4.5 phases: a quarter into the next cycle
    EXPECT_FLOAT_EQ(arrow.phase, 0.5f);
    EXPECT_NEAR(flowOffset, 0.1f, 1e-6f);
    for (float step : {30.0f, 1000.0f, 30.0f, -5.0f, NAN, INFINITY, 1e30f, 2.3f}) {
        SCOPED_TRACE(step);
        const float phase = arrow.phase, offset = flowOffset;
        updateAnimation(animation, flowOffset, step);
        EXPECT_GE(arrow.phase, 0.0f);
        EXPECT_LE(arrow.phase, 2.0f);
        EXPECT_GE(flowOffset, 0.0f);
        EXPECT_LT(flowOffset, 1.0f);
        if (!(step > 0) || !std::isfinite(step)) {
            EXPECT_EQ(arrow.phase, phase) << "a step that is no step moves nothing";
            EXPECT_EQ(flowOffset, offset);
        }
    }
}

TEST(PuffOpacity, EdgesFadeInHoldAndFadeOut) {
    const auto at = [](float t) { return puffOpacity(t, 3, 10, 5); };
    EXPECT_EQ(at(0).a, 0.0f);
    EXPECT_EQ(at(0).b, 0.0f);
    EXPECT_FLOAT_EQ(at(0.75f).a, 0.5f);
    EXPECT_FLOAT_EQ(at(0.75f).b, 0.0f);
    EXPECT_FLOAT_EQ(at(2.25f).a, 1.0f);
    EXPECT_FLOAT_EQ(at(2.25f).b, 0.5f);
    EXPECT_FLOAT_EQ(at(8.0f).a, 1.0f);
    EXPECT_FLOAT_EQ(at(8.0f).b, 1.0f);
    EXPECT_FLOAT_EQ(at(15.5f).a, 0.5f);
    EXPECT_FLOAT_EQ(at(15.5f).b, 0.5f);
    EXPECT_FLOAT_EQ(at(18.0f).a, 0.0f);
    EXPECT_FALSE(at(18.0f).ended);
    EXPECT_TRUE(at(18.01f).ended);
}

TEST(ArrowWindow, OpensFromTheTailThenClosesFromIt) {
    const auto w = [](float p) { return arrowWindow(p); };
    EXPECT_FLOAT_EQ(w(0).from, 1);
    EXPECT_FLOAT_EQ(w(0).to, 1);
    EXPECT_FLOAT_EQ(w(0.5f).from, 0.5f);
    EXPECT_FLOAT_EQ(w(0.5f).to, 1);
    EXPECT_FLOAT_EQ(w(1).from, 0);
    EXPECT_FLOAT_EQ(w(1).to, 1);
    EXPECT_FLOAT_EQ(w(1.5f).from, 0);
    EXPECT_FLOAT_EQ(w(1.5f).to, 0.5f);
    EXPECT_FLOAT_EQ(w(2).from, 0);
    EXPECT_FLOAT_EQ(w(2).to, 0);
    EXPECT_FLOAT_EQ(w(2.5f).to, 0);
}
