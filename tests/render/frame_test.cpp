// Frame composition under a real GL context: the state a frame leaves
// behind and what its pixels show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "interface/interface.h"
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
    const auto off = readRect(240, 380, 100, 24);
    compose();
    EXPECT_EQ(changedPixels(off, readRect(240, 380, 100, 24)), 0) << "frames are repeatable";
    program.theInterface->highlightFeatures = true;
    compose();
    EXPECT_GT(changedPixels(off, readRect(240, 380, 100, 24)), 300);
    program.theInterface->highlightFeatures = false;
    compose();
    EXPECT_EQ(changedPixels(off, readRect(240, 380, 100, 24)), 0);
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

TEST_F(FrameTest, PicturesStretchOverTheWholeWindow) {
    program.guiContext->resetView();
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    drawPicture(program.textures.underlayTexture, 640, 480);
    glDisable(GL_TEXTURE_2D);
    // Sky at the top corners, mantle at the bottom corners.
    for (int x : {1, 638}) {
        const auto sky = pixelAt(x, 478);
        EXPECT_GT(sky[2], sky[0]) << x;
        const auto mantle = pixelAt(x, 1);
        EXPECT_GT(mantle[0], mantle[2] + 40) << x;
    }
}
