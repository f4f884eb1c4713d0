// The model's drawing as GL receives it: the faces that survive culling,
// where their corners lie, how their pictures are laid on them and how they
// are lit. Properties of the drawing, not the drawing code again: tops lie on
// their profiles, front faces continue the top's picture downwards.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/textures.h"
#include "render/block.h"
#include "render/frame.h"
#include "render/plate.h"
#include "render/vector_math.h"
#include "support/feedback.h"

namespace {
constexpr float frontZ = 2.0f, backZ = -2.0f;
constexpr std::array<float, 4> white = {1, 1, 1, 1};
// A polygon offset moves a face along the line of sight by a few
// thousandths: what it draws is checked this closely.
constexpr float offsetSlack = 4e-3f;

bool allAt(const FedPolygon& polygon, float z) {
    for (const FedVertex& v : polygon)
        if (!closeTo(v.position[2], z, offsetSlack))
            return false;
    return true;
}

// The sediment wedge lies seaward of the land's first strip.
bool seaward(const FedPolygon& polygon) {
    for (const FedVertex& v : polygon)
        if (v.position[0] < landStartX - 1e-3f)
            return true;
    return false;
}

bool sameColour(const std::array<float, 4>& a, const std::array<float, 4>& b) {
    for (int i = 0; i < 4; ++i)
        if (!closeTo(a[i], b[i], 4e-3f))
            return false;
    return true;
}

// The lit, culled state of a frame's model pass, under the feedback view.
class ModelDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        setupGLState();
        glEnable(GL_LIGHTING);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
    }
    void TearDown() override {
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL)) << "polygon offset left on";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void expectLit(const FedVertex& v, const float normal[3], const std::array<float, 4>& colour,
                   const char* what) {
        const auto expected = litColour(v.position, normal, colour);
        EXPECT_TRUE(sameColour(v.colour, expected))
            << what << " at (" << v.position[0] << ", " << v.position[1] << ", " << v.position[2]
            << ") is lit (" << v.colour[0] << ", " << v.colour[1] << ", " << v.colour[2] << ", " << v.colour[3]
            << "), expected (" << expected[0] << ", " << expected[1] << ", " << expected[2] << ", "
            << expected[3] << ")";
    }
    TextureSet textures;
};
}  // namespace

// One white light, far away over the viewer's right shoulder.
TEST_F(ModelDrawing, OneDistantLightFromTheUpperRightFront) {
    GLfloat position[4], diffuse[4], specular[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    EXPECT_EQ(position[3], 0.0f) << "a direction, not a place";
    const float length = std::sqrt(position[0] * position[0] + position[1] * position[1] + position[2] * position[2]);
    const float expected[3] = {1, 4, 2};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(position[i] / length, expected[i] / std::sqrt(21.0f), 1e-5f);
        EXPECT_FLOAT_EQ(diffuse[i], 0.8f);
        EXPECT_FLOAT_EQ(specular[i], 0.8f);
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

TEST_F(ModelDrawing, LandTopFacesUpOnItsProfileWithThePictureLaidFlat) {
    Block block;
    const auto polygons = feedPolygons([&] { drawBlock(textures); });
    std::vector<FedPolygon> tops, wedgeSlopes;
    for (const FedPolygon& polygon : polygons) {
        if (allAt(polygon, frontZ))
            continue;
        const bool wedge = seaward(polygon);
        (wedge ? wedgeSlopes : tops).push_back(polygon);
        for (const FedVertex& v : polygon) {
            const float z = v.position[2];
            ASSERT_TRUE(closeTo(z, frontZ) || closeTo(z, backZ)) << z;
            EXPECT_NEAR(v.texture[1], z, 1e-3f) << "the picture spans front to back";
            if (wedge) {
                EXPECT_NEAR(v.texture[0], v.position[0], 1e-4f);
                float slope[3];   // the face's own, on the side it shows the viewer
                faceNormal(polygon[0].position.data(), polygon[1].position.data(), polygon[2].position.data(),
                           slope);
                expectLit(v, slope, white, "wedge slope");
                continue;
            }
            const float s = v.position[0] - landStartX;
            EXPECT_NEAR(v.position[1], landHeight(s), 1e-4f) << s;
            EXPECT_NEAR(v.texture[0], s, 1e-4f);
            float n[3];
            landNormal(s, n);
            expectLit(v, n, white, "land top");
        }
    }
    EXPECT_EQ(triangleCount(tops), 2 * 21) << "every strip's top faces up";
    EXPECT_EQ(triangleCount(wedgeSlopes), 2);
}

TEST_F(ModelDrawing, LandFrontFaceContinuesThePictureOfTheTopDownwards) {
    Block block;
    const float facing[3] = {0, 0, 1};
    std::vector<FedPolygon> faces, wedgeFaces;
    float lowest = 0;
    for (const FedPolygon& polygon : feedPolygons([&] { drawBlock(textures); })) {
        if (!allAt(polygon, frontZ))
            continue;
        const bool wedge = seaward(polygon);
        (wedge ? wedgeFaces : faces).push_back(polygon);
        for (const FedVertex& v : polygon) {
            expectLit(v, facing, white, "front face");
            if (wedge) {
                // A tenth of the sediment picture, its top row at the coast.
                EXPECT_NEAR(v.texture[0], v.position[0], 1e-4f);
                EXPECT_NEAR(v.texture[1], 2 - (landHeight(0) - v.position[1]), 1e-4f);
                continue;
            }
            const float s = v.position[0] - landStartX;
            EXPECT_NEAR(v.texture[0], s, 1e-4f);
            EXPECT_NEAR(v.texture[1], 2 + landHeight(s) - v.position[1], 1e-4f) << "at s " << s;
            EXPECT_GE(v.position[1], layerBottom(s) - continentalCrustThickness - 1e-4f);
            lowest = std::min(lowest, v.position[1] - (layerBottom(s) - continentalCrustThickness));
        }
    }
    EXPECT_EQ(triangleCount(faces), 2 * 2 * 21) << "the land's cut face and the crust band under it";
    EXPECT_EQ(triangleCount(wedgeFaces), 1);
    EXPECT_NEAR(lowest, 0, 1e-4f) << "the crust band reaches its full thickness";
}

TEST_F(ModelDrawing, PlateTopFollowsItsProfileAndItsPictureFlows) {
    PlateSurfaces plates;
    plates.flowOffset = 0.3f;
    const std::array<float, 4> rock = {0.5f, 0.5f, 0.5f, 1};
    std::vector<FedPolygon> tops;
    for (const FedPolygon& polygon : feedPolygons([&] { drawPlates(plates, textures); })) {
        if (allAt(polygon, frontZ))
            continue;
        tops.push_back(polygon);
        for (const FedVertex& v : polygon) {
            const float p = v.position[0] - plateStartX;
            EXPECT_NEAR(v.position[1], plateHeight(p), offsetSlack) << p;
            EXPECT_NEAR(v.texture[0], p + 0.3f, 1e-4f) << "the picture slides by the flow";
            EXPECT_NEAR(v.texture[1], v.position[2], offsetSlack);
            float n[3];
            plateNormal(p, n);
            expectLit(v, n, rock, "plate top");
        }
    }
    EXPECT_EQ(triangleCount(tops), 2 * 55);
}

TEST_F(ModelDrawing, PlateCutFaceAndCrustHangBelowTheTopAlongItsNormal) {
    PlateSurfaces plates;
    plates.flowOffset = 0.3f;
    const float facing[3] = {0, 0, 1};
    const std::array<float, 4> rock = {0.5f, 0.5f, 0.5f, 1};
    std::vector<FedPolygon> rockFaces, crustFaces;
    for (const FedPolygon& polygon : feedPolygons([&] { drawPlates(plates, textures); })) {
        if (!allAt(polygon, frontZ))
            continue;
        // The rock is shaded grey, the crust band white.
        const bool isRock = sameColour(polygon[0].colour, litColour(polygon[0].position, facing, rock));
        (isRock ? rockFaces : crustFaces).push_back(polygon);
        for (const FedVertex& v : polygon) {
            expectLit(v, facing, isRock ? rock : white, isRock ? "rock face" : "crust band");
            // The picture runs on from the top; the crust's starts afresh at its top.
            const float p = v.texture[0] - 0.3f;
            const float depth = v.texture[1] - 2 + (isRock ? 0.0f : 0.1f);
            EXPECT_GE(depth, isRock ? 0.0f : 0.1f - 1e-4f);
            EXPECT_LE(depth, isRock ? 0.1f + 1e-4f : 0.35f + 1e-4f);
            float n[3];
            plateNormal(p, n);
            EXPECT_NEAR(v.position[0], p + plateStartX - depth * n[0], 1e-4f) << p;
            EXPECT_NEAR(v.position[1], plateHeight(p) - depth * n[1], offsetSlack) << p;
        }
    }
    EXPECT_EQ(triangleCount(rockFaces), 2 * 55);
    EXPECT_EQ(triangleCount(crustFaces), 2 * 55);
}

TEST_F(ModelDrawing, SeaHasAFrontAndASurfaceFromTheFarSideToPastTheCoast) {
    const std::array<float, 4> sea = {0.4f, 0.7f, 1.0f, 0.6f};
    const float facing[3] = {0, 0, 1}, up[3] = {0, 1, 0};
    const auto polygons = feedPolygons(drawSea);
    EXPECT_EQ(triangleCount(polygons), 4);
    float left = 0, right = 0, back = frontZ;
    for (const FedPolygon& polygon : polygons) {
        const bool front = allAt(polygon, frontZ);
        for (const FedVertex& v : polygon) {
            if (front) {
                EXPECT_TRUE(closeTo(v.position[1], -0.2f, offsetSlack) || closeTo(v.position[1], -0.07f, offsetSlack))
                    << v.position[1];
                expectLit(v, facing, sea, "sea front");
            } else {
                EXPECT_NEAR(v.position[1], -0.07f, offsetSlack);
                expectLit(v, up, sea, "sea surface");
            }
            left = std::min(left, v.position[0]);
            right = std::max(right, v.position[0]);
            back = std::min(back, v.position[2]);
        }
    }
    EXPECT_NEAR(left, -4.2f, 1e-3f);
    EXPECT_NEAR(right, 0.1f, 1e-3f);
    EXPECT_NEAR(back, backZ, offsetSlack);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing is back on for what follows";
}

// Where the plate's or the sea's front face lies in the plane of another
// face, the plate must win and the sea must lose: each is moved along the
// line of sight, the plate towards the viewer, the sea away.
TEST_F(ModelDrawing, PlateIsPulledForwardAndTheSeaPushedBack) {
    PlateSurfaces plates;
    auto frontShift = [](const std::vector<FedPolygon>& polygons) {
        float least = 1, most = -1;
        for (const FedPolygon& polygon : polygons)
            if (allAt(polygon, frontZ))
                for (const FedVertex& v : polygon) {
                    least = std::min(least, v.position[2] - frontZ);
                    most = std::max(most, v.position[2] - frontZ);
                }
        return std::make_pair(least, most);
    };
    const auto plate = frontShift(feedPolygons([&] { drawPlates(plates, textures); }));
    EXPECT_GT(plate.first, 1e-4f) << "the plate comes forward";
    const auto sea = frontShift(feedPolygons(drawSea));
    EXPECT_LT(sea.second, -1e-4f) << "the sea goes back";
    const auto land = frontShift(feedPolygons([&] { drawBlock(textures); }));
    EXPECT_NEAR(land.first, 0, 1e-5f) << "the land stays where it is";
    EXPECT_NEAR(land.second, 0, 1e-5f);
}

// A full-window picture: one quad over the window, the picture once over it
// the right way up, in white so that the picture shows as it is.
TEST(PictureDrawing, CoversTheWindowWithThePictureOnce) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    const auto polygons = feedPolygons([] { drawPicture(0, 800, 600); }, {0, 800, 0, 600, 1, -1}, 0);
    EXPECT_EQ(triangleCount(polygons), 2);
    float area = 0;
    for (const FedPolygon& polygon : polygons) {
        for (size_t i = 0; i < polygon.size(); ++i) {
            const FedVertex& v = polygon[i];
            const FedVertex& next = polygon[(i + 1) % polygon.size()];
            area += (v.position[0] * next.position[1] - next.position[0] * v.position[1]) / 2;
            EXPECT_NEAR(v.texture[0], v.position[0] / 800, 1e-4f);
            EXPECT_NEAR(v.texture[1], v.position[1] / 600, 1e-4f);
            EXPECT_TRUE(sameColour(v.colour, white));
        }
    }
    EXPECT_NEAR(area, 800 * 600, 1) << "the whole window, facing the viewer";
}
