// What the cones, the puffs and the arrow hand to GL: where their corners
// lie, how their pictures and opacities are laid on them, and that each
// leaves the matrices and switches as it found them.
#include <gtest/gtest.h>

#include <cmath>

#include "animation/animation.h"
#include "animation/sprites.h"
#include "animation/vent_cone.h"
#include "assets/textures.h"
#include "render/frame.h"
#include "support/feedback.h"

namespace {
constexpr FeedbackBox windowBox{0, 640, 0, 480, 1, -1};
constexpr float degrees = 3.14159265f / 180;

std::array<float, 16> modelview() {
    std::array<float, 16> m;
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

// Every fed vertex inside the rectangle, its picture coordinates spread
// over it corner to corner, and its opacity `low` along the lower edge and
// `high` along the upper one.
void expectSprite(const std::vector<FedPolygon>& polygons, float left, float bottom, float right, float top,
                  float low, float high) {
    ASSERT_FALSE(polygons.empty());
    float seenLeft = right, seenRight = left, seenBottom = top, seenTop = bottom;
    for (const FedPolygon& polygon : polygons)
        for (const FedVertex& v : polygon) {
            const float x = v.position[0], y = v.position[1];
            seenLeft = std::min(seenLeft, x);
            seenRight = std::max(seenRight, x);
            seenBottom = std::min(seenBottom, y);
            seenTop = std::max(seenTop, y);
            EXPECT_NEAR(v.texture[0], (x - left) / (right - left), 1e-3f) << x;
            EXPECT_NEAR(v.texture[1], (y - bottom) / (top - bottom), 1e-3f) << y;
            const bool lower = std::fabs(y - bottom) < std::fabs(y - top);
            EXPECT_NEAR(v.colour[3], lower ? low : high, 1e-3f) << (lower ? "lower" : "upper") << " edge";
            EXPECT_NEAR(v.colour[0] + v.colour[1] + v.colour[2], 3.0f, 1e-3f) << "white";
        }
    EXPECT_NEAR(seenLeft, left, 0.01f);
    EXPECT_NEAR(seenRight, right, 0.01f);
    EXPECT_NEAR(seenBottom, bottom, 0.01f);
    EXPECT_NEAR(seenTop, top, 0.01f);
}

class SpriteDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
    }
    void TearDown() override {
        glDisable(GL_TEXTURE_2D);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    TextureSet textures;
};
}  // namespace

// A big vent well into its rise: the leading edge is opaque, the trailing
// one half so, and the seepage below grows the other way.
TEST_F(SpriteDrawing, PuffSpreadsFromItsAnchorWithEdgesFadingInOppositeWays) {
    Vent vent{300, 200, 1.5f, 3, 10, 5, 2.25f, 0, true, true};
    const auto before = modelview();
    const auto polygons = feedPolygons([&] { drawVentSprites(&vent, textures); }, windowBox, 0);
    EXPECT_EQ(modelview(), before) << "the window view is as it was";
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    std::vector<FedPolygon> smoke, seepage;
    for (const FedPolygon& polygon : polygons)
        (polygon[0].position[1] < 190 || polygon[1].position[1] < 190 ? seepage : smoke).push_back(polygon);
    // The smoke's lower left corner 80 × 1.5 left of and 5 × 1.5 below the anchor.
    expectSprite(smoke, 180, 192.5f, 180 + 155 * 1.5f, 192.5f + 163 * 1.5f, 1.0f, 0.5f);
    expectSprite(seepage, 180 + 17 * 1.5f, 192.5f - 65 * 1.5f, 180 + 146 * 1.5f, 192.5f + 15 * 1.5f, 0.5f, 1.0f);
    EXPECT_TRUE(vent.active);
}

TEST_F(SpriteDrawing, NoSeepageFromAVentWithoutIt) {
    Vent vent{300, 200, 1.0f, 3, 10, 5, 8.0f, 0, false, true};
    const auto polygons = feedPolygons([&] { drawVentSprites(&vent, textures); }, windowBox, 0);
    expectSprite(polygons, 220, 195, 375, 358, 1.0f, 1.0f);
}

TEST_F(SpriteDrawing, DrawingEndsAPuffOnlyAfterEighteenSeconds) {
    Vent vent{300, 200, 1.0f, 3, 10, 5, 18.0f, 0, false, true};
    EXPECT_FALSE(feedPolygons([&] { drawVentSprites(&vent, textures); }, windowBox, 0).empty());
    EXPECT_TRUE(vent.active);
    vent.activeTime = 18.01f;
    EXPECT_TRUE(feedPolygons([&] { drawVentSprites(&vent, textures); }, windowBox, 0).empty());
    EXPECT_FALSE(vent.active);
    EXPECT_EQ(vent.activeTime, 0.0f);
}

// The arrow lies along its angle from its position; the shown window of its
// picture is the same stretch of its length.
TEST_F(SpriteDrawing, ArrowShowsItsWindowAlongItsLength) {
    const Arrow arrow{{1.0f, 2.0f, -1.0f}, 30.0f, 0.075f, 0.6f, 1.5f};   // window 0 .. 0.5
    const auto before = modelview();
    const auto polygons = feedPolygons([&] { drawArrow(arrow, textures); }, sceneBox, 0);
    EXPECT_EQ(modelview(), before);
    ASSERT_EQ(triangleCount(polygons), 2);
    const float c = std::cos(arrow.angle * degrees), s = std::sin(arrow.angle * degrees);
    float shortest = 1, longest = 0;
    for (const FedPolygon& polygon : polygons)
        for (const FedVertex& v : polygon) {
            // Back into the arrow's own frame: along (u) and across (w).
            const float dx = v.position[0] - arrow.position[0], dy = v.position[1] - arrow.position[1];
            const float u = dx * c + dy * s, w = -dx * s + dy * c;
            EXPECT_NEAR(v.position[2], arrow.position[2], 1e-3f);
            EXPECT_NEAR(v.texture[0], u / arrow.length, 1e-3f);
            EXPECT_NEAR(v.texture[1], w / arrow.width, 1e-3f);
            EXPECT_TRUE(closeTo(w, 0, 1e-4f) || closeTo(w, arrow.width, 1e-4f)) << w;
            shortest = std::min(shortest, v.texture[0]);
            longest = std::max(longest, v.texture[0]);
        }
    EXPECT_NEAR(shortest, 0.0f, 1e-4f);
    EXPECT_NEAR(longest, 0.5f, 1e-4f);
}

// A cone drawn where it stands: its list holds the shape's quads, lit by
// their own normals, and the offset that keeps it behind the land is off
// again afterwards. Seen from the front without culling, every quad shows;
// the offset moves only depths, so places are matched across.
TEST(ConeDrawing, ListHoldsTheShapeLitByItsNormalsAtTheConePosition) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setupGLState();
    glEnable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    VentCone cone{};
    cone.position[0] = 0.4f;
    cone.position[1] = -0.15f;
    cone.position[2] = 2.0f;
    compileVentCone(&cone, 1.5f, 0.5f);
    const auto polygons = feedPolygons([&] { drawVentCone(&cone, 0); }, sceneBox, 0);
    glDeleteLists(cone.displayList, 1);
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    const auto shape = coneVertices(coneShape(1.5f, 0.5f));
    for (const FedPolygon& polygon : polygons)
        for (const FedVertex& v : polygon) {
            // The shape's vertex at this place, moved to the cone's position.
            const ConeVertex* source = nullptr;
            for (const ConeVertex& candidate : shape) {
                bool same = true;
                for (int k = 0; k < 2; ++k)
                    same = same && closeTo(candidate.position[k] + cone.position[k], v.position[k], 1e-4f);
                if (same && closeTo(candidate.texture[0], v.texture[0], 1e-4f) &&
                    closeTo(candidate.texture[1], v.texture[1], 1e-4f))
                    source = &candidate;
            }
            ASSERT_NE(source, nullptr) << "a vertex of no quad of the cone at (" << v.position[0] << ", "
                                       << v.position[1] << ", " << v.position[2] << ")";
            const auto lit = litColour(v.position, source->normal, {1, 1, 1, 1}, 0);
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(v.colour[k], lit[k], 4e-3f);
        }
    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    EXPECT_EQ(triangleCount(polygons), 2 * 17) << "sixteen sides and the section";
}
