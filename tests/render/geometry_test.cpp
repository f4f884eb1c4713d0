// The scene's numbers: vector helpers, the plate's and the land's profiles,
// normals and strips. No GL needed.
#include <gtest/gtest.h>

#include <cmath>

#include "render/block.h"
#include "render/plate.h"
#include "render/vector_math.h"

namespace {
constexpr float tolerance = 1e-4f;

void expectVector(const float* v, float x, float y, float z, float eps = tolerance) {
    EXPECT_NEAR(v[0], x, eps);
    EXPECT_NEAR(v[1], y, eps);
    EXPECT_NEAR(v[2], z, eps);
}

// Slope of f at x from the left and from the right.
template <typename F>
void expectSmoothAt(F f, float x) {
    const float e = 1e-3f;
    EXPECT_NEAR(f(x - 1e-5f), f(x + 1e-5f), 1e-4f) << "height jumps at " << x;
    const float left = (f(x) - f(x - e)) / e, right = (f(x + e) - f(x)) / e;
    EXPECT_NEAR(left, right, 2e-3f) << "slope jumps at " << x;
}
}  // namespace

TEST(VectorHelpers, CrossProductAndNormalizeOfGeneralVectors) {
    float a[3] = {1, 2, 3};
    const float b[3] = {4, 5, 6};
    float out[3];
    crossProduct(a, b, out);
    expectVector(out, -3, 6, -3);
    crossProduct(a, b, a);   // out is a: every input read first
    expectVector(a, -3, 6, -3);
    float v[3] = {2, 3, 6};   // length 7
    normalize(v);
    expectVector(v, 2 / 7.0f, 3 / 7.0f, 6 / 7.0f);
    float zero[3] = {0, 0, 0};
    normalize(zero);
    expectVector(zero, 0, 0, 0);
    // A null pointer anywhere changes nothing.
    const float p[3] = {0, 0, 0}, q[3] = {1, 0, 0}, r[3] = {0, 1, 0};
    for (int missing = 0; missing < 4; ++missing) {
        if (missing < 3)
            crossProduct(missing == 0 ? nullptr : a, missing == 1 ? nullptr : b, missing == 2 ? nullptr : out);
        faceNormal(missing == 0 ? nullptr : p, missing == 1 ? nullptr : q, missing == 2 ? nullptr : r,
                   missing == 3 ? nullptr : out);
    }
    normalize(nullptr);
    expectVector(out, -3, 6, -3);
}

TEST(VectorHelpers, FaceNormalPointsWhereTheTriangleRunsCounterClockwise) {
    const float p[3] = {0, -0.13f, 2}, q[3] = {1, -0.13f, 2}, r[3] = {0, -0.13f, -2};
    float n[3];
    faceNormal(p, q, r, n);
    expectVector(n, 0, 1, 0);
    faceNormal(p, r, q, n);   // the other way round
    expectVector(n, 0, -1, 0);
}

class PlateTest : public ::testing::Test {
protected:
    PlateSurfaces plates;   // computes the end normals
};

TEST_F(PlateTest, FlatEndAtTheOceanSide) {
    EXPECT_FLOAT_EQ(plateHeight(0), -0.13f);
    float n[3];
    plateNormal(0, n);
    expectVector(n, 0, 1, 0);
    expectVector(PlateSurfaces::flatEndNormal, 0, 1, 0);
    EXPECT_NEAR(plateHeight(0) - 0.1f * n[1], -0.23f, tolerance);    // rock cut face
    EXPECT_NEAR(plateHeight(0) - 0.35f * n[1], -0.48f, tolerance);   // crust band
    EXPECT_FLOAT_EQ(plates.flowOffset, 0.0f);
}

TEST_F(PlateTest, DescendingEndUnderTheContinent) {
    EXPECT_NEAR(plateHeight(5.4f), -0.705f, tolerance);
    float n[3];
    plateNormal(5.4f, n);
    expectVector(n, 0.4472f, 0.8944f, 0);
    expectVector(PlateSurfaces::descendingEndNormal, 0.44721f, 0.89443f, 0);
    const float x = 5.4f + plateStartX - 0.35f * n[0], y = plateHeight(5.4f) - 0.35f * n[1];
    EXPECT_NEAR(x, 0.8435f, tolerance);
    EXPECT_NEAR(y, -1.0181f, tolerance);
    plateNormal(2.7f, n);   // half way: the blend of the two ends, of unit length
    expectVector(n, 0.2298f, 0.9732f, 0);
}

TEST_F(PlateTest, HeightAndSlopeAreContinuousAtBothJoints) {
    expectSmoothAt(plateHeight, 4.0f);
    expectSmoothAt(plateHeight, 4.5f);
    EXPECT_NEAR(plateHeight(4.5f), -0.255f, tolerance);
    EXPECT_NEAR(plateHeight(4.25f), -0.13f - 0.5f * 0.0625f, tolerance);
}

TEST_F(PlateTest, FiftyFiveStripsClosingAtTheEnd) {
    const auto strips = plateStrips();
    ASSERT_EQ(strips.size(), 55u);
    EXPECT_FLOAT_EQ(strips.front().from, 0.0f);
    for (size_t i = 0; i + 1 < strips.size(); ++i) {
        EXPECT_NEAR(strips[i].to - strips[i].from, 0.1f, 1e-5f) << i;
        EXPECT_NEAR(strips[i].to, strips[i + 1].from, 1e-5f) << "strips meet";
    }
    EXPECT_LT(strips.back().to - strips.back().from, 1e-4f);   // a few millionths
    EXPECT_FLOAT_EQ(strips.back().to, 5.4f);
}

class BlockTest : public ::testing::Test {
protected:
    Block block;
};

TEST_F(BlockTest, CoastHasNoBulge) {
    EXPECT_NEAR(landHeight(0), -0.1f, 1e-6f);
    EXPECT_NEAR(layerBottom(0), -0.2f, 1e-6f);
    EXPECT_NEAR(layerBottom(0) - continentalCrustThickness, -0.4f, 1e-6f);
    EXPECT_FLOAT_EQ(ventBulge(0), 0.0f);
}

TEST_F(BlockTest, DeepestUnderTheFirstVentAndThickestInland) {
    EXPECT_NEAR(landHeight(0.5f), -0.00808f, 1e-5f);
    EXPECT_NEAR(layerBottom(0.5f), -0.29596f, 1e-5f);
    EXPECT_NEAR(ventBulge(0.5f), 0.05f, 1e-6f);
    EXPECT_NEAR(landHeight(4.1f), 0.18506f, 1e-5f);
    EXPECT_NEAR(layerBottom(4.1f), -0.34253f, 1e-5f);
    EXPECT_NEAR(landHeight(4.1f) - layerBottom(4.1f), 0.5276f, 1e-4f);
    EXPECT_FLOAT_EQ(ventBulge(1.05f), 0.0f);   // beyond the half-width
}

TEST_F(BlockTest, EndNormalsAndTheBlendBetweenThem) {
    expectVector(Block::coastNormal, -0.2137f, 0.9769f, 0);
    expectVector(Block::inlandNormal, -0.0110f, 0.9999f, 0);
    float n[3];
    landNormal(0, n);
    expectVector(n, -0.2137f, 0.9769f, 0);
    landNormal(4.1f, n);
    expectVector(n, -0.0110f, 0.9999f, 0);
    landNormal(2.05f, n);   // half way: the blend, of unit length
    expectVector(n, -0.0481f, 0.9988f, 0);
}

TEST_F(BlockTest, ASecondBlockDoesNotRecomputeTheNormals) {
    const float saved[3] = {Block::coastNormal[0], Block::coastNormal[1], Block::coastNormal[2]};
    Block::coastNormal[0] = 5.0f;   // marks the shared storage
    Block second;
    EXPECT_FLOAT_EQ(Block::coastNormal[0], 5.0f);
    EXPECT_FALSE(Block::normalsPending);
    for (int i = 0; i < 3; ++i)
        Block::coastNormal[i] = saved[i];
}

TEST_F(BlockTest, TwentyOneStripsFineNearTheCoast) {
    const auto strips = landStrips();
    ASSERT_EQ(strips.size(), 21u);
    for (size_t i = 0; i < 20; ++i)
        EXPECT_NEAR(strips[i].to - strips[i].from, 0.05f, 1e-5f) << i;
    EXPECT_NEAR(strips[19].to, 1.0f, 1e-6f);
    EXPECT_NEAR(strips[20].from, 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(strips[20].to, 4.1f);
}
