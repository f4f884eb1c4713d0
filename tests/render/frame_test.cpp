// Frame composition under a real GL context: the state a frame leaves
// behind and what its pixels show.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iterator>
#include <cstdlib>

#include "animation/animation.h"
#include "assets/image.h"
#include "interface/interface.h"
#include "interface/shadow_label.h"
#include "render/frame.h"
#include "support/gl_helpers.h"
#include "support/program_fixture.h"
#include "velmkit/velm.h"

namespace {
class FrameTest : public ProgramFixture {
protected:
    void compose() { composeFrame(frameParts(program)); }
    // Pixels of a window rectangle that differ between two frames.
    static int changedPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
        int changed = 0;
        for (size_t i = 0; i < a.size(); i += 4)
            changed += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        return changed;
    }
    static std::vector<unsigned char> readRect(int x, int y, int w, int h) {
        std::vector<unsigned char> out(static_cast<size_t>(w) * h * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
};
}  // namespace

TEST_F(FrameTest, LeavesLightingDepthAndTexturingOffAndTheStacksAsDeep) {
    const GLint modelviewDepth = glInteger(GL_MODELVIEW_STACK_DEPTH);
    const GLint projectionDepth = glInteger(GL_PROJECTION_STACK_DEPTH);
    drawFrame(program);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(glInteger(GL_MODELVIEW_STACK_DEPTH), modelviewDepth);
    EXPECT_EQ(glInteger(GL_PROJECTION_STACK_DEPTH), projectionDepth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FrameTest, SeaIsBlueOverThePlateAndThePlateCutFaceWinsOverTheSeaFace) {
    compose();
    // Between the plate's top (y 171) and the sea surface (y 194): water.
    const auto sea = pixelAt(121, 184);
    EXPECT_GT(sea[2], sea[0] + 25) << "blue water expected";
    // Below the plate's top, where the sea's face and the plate's cut face
    // share the front plane: the plate's rock, not water.
    const auto rock = pixelAt(121, 160);
    EXPECT_LT(std::abs(rock[2] - rock[0]), 40) << "grey rock expected, got blue";
    EXPECT_GT(rock[0] + rock[1] + rock[2], 60) << "lit rock, not the black of nothing";
}

TEST_F(FrameTest, BeforeTheSceneExistsOnlyPicturesAndPanelAreDrawn) {
    compose();
    const auto withModel = pixelAt(121, 160);
    Vent& vent = *program.animation.vents.front();
    vent.active = true;
    vent.activeTime = 100.0f;
    destroyScene(program.scene);
    compose();
    EXPECT_TRUE(vent.active) << "vents are not drawn without the scene";
    EXPECT_NE(pixelAt(121, 160), withModel);
}

TEST_F(FrameTest, FeaturesPictureOnlyWhileHighlighted) {
    // The "Volcanic arc" label of the features picture.
    compose();
    const auto off = readRect(230, 316, 100, 22);
    compose();
    EXPECT_EQ(changedPixels(off, readRect(230, 316, 100, 22)), 0) << "frames are repeatable";
    program.theInterface->highlightFeatures = true;
    compose();
    EXPECT_GT(changedPixels(off, readRect(230, 316, 100, 22)), 300);
    program.theInterface->highlightFeatures = false;
    compose();
    EXPECT_EQ(changedPixels(off, readRect(230, 316, 100, 22)), 0);
}

TEST_F(FrameTest, CameraKeepsTheVerticalFieldOfViewOnAWiderWindow) {
    setupCamera(800, 400);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const float f = 1.0f / std::tan(30.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(projection[5], f, 1e-5f);
    EXPECT_NEAR(projection[0], f / 2.0f, 1e-5f);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_NEAR(modelview[13], 0.3f, 1e-6f);
    EXPECT_NEAR(modelview[14], -3.0f, 1e-6f);
    EXPECT_NEAR(modelview[5], std::cos(10.0f * 3.14159265f / 180.0f), 1e-6f);
}

// A frame of any width reads back whole, bottom row first, and the reading
// leaves GL's row packing as it found it.
TEST_F(FrameTest, ReadsAFrameOfAnOddWidthAndKeepsThePacking) {
    const int width = 101, height = 7;   // rows of 303 bytes
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    compose();
    const Image frame = readFrame(width, height);
    EXPECT_EQ(glInteger(GL_PACK_ALIGNMENT), 8);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    ASSERT_EQ(frame.rowBytes(), 3u * width);
    const auto corner = pixelAt(width - 1, height - 1);
    const uint8_t* last = frame.pixels + frame.rowBytes() * height - 3;
    EXPECT_EQ(std::vector<int>(last, last + 3), std::vector<int>(corner.begin(), corner.begin() + 3));
}

// The panel is drawn last, over the scene: its title shows at the top left.
TEST_F(FrameTest, PanelIsDrawnOverTheScene) {
    const int left = 8, bottom = 480 - 40, width = 185, height = 32;   // the title
    compose();
    const auto withTitle = readRect(left, bottom, width, height);
    program.theInterface->title->setVisible(false);
    compose();
    EXPECT_GT(changedPixels(withTitle, readRect(left, bottom, width, height)), 300);
}

// Each puff is drawn in the window's view; the cones after it are drawn
// with the scene's camera again, so the first cone's base looks the same
// whether the vents puff or not.
TEST_F(FrameTest, ConesAfterAPuffAreSeenThroughTheCamera) {
    const int left = 467, bottom = 150, side = 20;   // round the first cone's base, below every puff
    compose();
    const auto idle = readRect(left, bottom, side, side);
    const auto idleSmoke = readRect(470, 390, side, side);   // where the first vent's smoke rises
    for (Vent* vent : program.animation.vents) {
        vent->active = true;
        vent->activeTime = 8.0f;
    }
    compose();
    EXPECT_EQ(changedPixels(idle, readRect(left, bottom, side, side)), 0);
    EXPECT_GT(changedPixels(idleSmoke, readRect(470, 390, side, side)), side * side / 2) << "the vents puff";
}

// Each layer shows its own picture: a picture replaced by a plain magenta
// one changes its layers' pixels and no other's; the arrow adds its colour.
TEST_F(FrameTest, EachLayerShowsItsOwnPicture) {
    struct Probe {
        const char* layer;
        GLuint TextureSet::*picture;
        int x, y;
        bool translucent = false;   // shows the layers under it through it
    };
    const Probe probes[] = {{"rock cut face", &TextureSet::rockTexture, 46, 152},
                            {"plate top under the sea", &TextureSet::rockTexture, 150, 200},
                            {"oceanic crust", &TextureSet::crustTexture, 54, 89},
                            {"mantle wedge (the land's crust band)", &TextureSet::crustTexture, 570, 75},
                            {"land top", &TextureSet::landTexture, 590, 240},
                            {"land cut face", &TextureSet::landTexture, 600, 190},
                            {"first cone", &TextureSet::landTexture, 440, 250},
                            {"sediment wedge", &TextureSet::sedimentTexture, 272, 176},
                            {"arrow", &TextureSet::arrowTexture, 486, 200, true},
                            {"sky", &TextureSet::underlayTexture, 320, 420}};
    program.animation.theArrow->phase = 1;
    compose();
    std::vector<std::array<int, 4>> shown;
    for (const Probe& probe : probes)
        shown.push_back(pixelAt(probe.x, probe.y));
    // A plain picture of one colour per texel: magenta, then white and black.
    GLuint plain = 0;
    glGenTextures(1, &plain);
    const auto fill = [&](const std::array<GLubyte, 4>& texel) {
        glBindTexture(GL_TEXTURE_2D, plain);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel.data());
    };
    fill({255, 0, 255, 255});
    for (const Probe& replaced : probes) {
        GLuint& slot = program.textures.*replaced.picture;
        const GLuint picture = slot;
        slot = plain;
        compose();
        slot = picture;
        for (size_t i = 0; i < std::size(probes); ++i) {
            const auto now = pixelAt(probes[i].x, probes[i].y);
            const int change = std::abs(now[0] - shown[i][0]) + std::abs(now[1] - shown[i][1]) +
                               std::abs(now[2] - shown[i][2]);
            if (probes[i].picture == replaced.picture) {
                EXPECT_GT(change, 30) << probes[i].layer << " does not show the picture of " << replaced.layer;
            } else if (!probes[i].translucent) {
                EXPECT_EQ(change, 0) << probes[i].layer << " shows the picture of " << replaced.layer;
            }
        }
    }
    // The arrow tints its picture in its own colour at 70 % opacity: a white
    // picture shows that colour's share over a black one's.
    std::array<int, 4> shade[2];
    for (int i = 0; i < 2; ++i) {
        fill({GLubyte(255 * (1 - i)), GLubyte(255 * (1 - i)), GLubyte(255 * (1 - i)), 255});
        std::swap(program.textures.arrowTexture, plain);
        compose();
        std::swap(program.textures.arrowTexture, plain);
        shade[i] = pixelAt(probes[8].x, probes[8].y);
    }
    const float share[3] = {1.0f * 0.7f, 0.2f * 0.7f, 0};
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(shade[0][c] - shade[1][c], 255 * share[c], 3) << "channel " << c;
    glDeleteTextures(1, &plain);
}
