// The panel under a real GL context: shadow labels with a recording font,
// the logo button's hover reports, and the interface's state and layout.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "app/timers.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "interface/logo_button.h"
#include "interface/shadow_label.h"
#include "support/feedback.h"
#include "support/gl_helpers.h"
#include "support/program_fixture.h"
#include "support/recording.h"
#include "velmkit/velm.h"

namespace {
struct CountingResponder : VelmResponder {
    std::vector<VelmDrawable*> reports;
    void respond(VelmDrawable* sender) override { reports.push_back(sender); }
    void notify(VelmDrawable*) override {}
};

VelmContext* makeContext() { return new VelmContext(640, 480, "VERDANA.TTF", testPalette(velmBlack)); }

class ShadowLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestView();
        context = makeContext();
    }
    void TearDown() override { delete context; }
    // A label at (100, 50) drawn with a recording font.
    ShadowLabel* label(const char* text) {
        auto* l = new ShadowLabel(context, 100, 50, text, 14, 0);
        font = new RecordingFont;
        l->adoptFont(font);
        return l;
    }
    VelmContext* context = nullptr;
    RecordingFont* font = nullptr;
};

TEST_F(ShadowLabelTest, ThreeLinesShadowFirstThreePixelsRightAndBelow) {
    ShadowLabel* l = label("first\nsecond\nthird");
    const GLint depth = glInteger(GL_MODELVIEW_STACK_DEPTH);
    l->draw();
    EXPECT_EQ(glInteger(GL_MODELVIEW_STACK_DEPTH), depth);
    ASSERT_EQ(font->rendered.size(), 6u);
    const float h = RecordingFont::lineHeight;
    const float firstBaseline = 50 + 3 * h - RecordingFont::descender - h;
    const char* lines[3] = {"first", "second", "third"};
    for (int i = 0; i < 3; ++i) {
        const RenderedText& shadow = font->rendered[i];
        const RenderedText& text = font->rendered[3 + i];
        EXPECT_EQ(shadow.text, lines[i]);
        EXPECT_EQ(text.text, lines[i]);
        EXPECT_FLOAT_EQ(text.x, 100) << "left aligned";
        EXPECT_FLOAT_EQ(text.y, firstBaseline - i * h);
        EXPECT_FLOAT_EQ(shadow.x, text.x + 3);
        EXPECT_FLOAT_EQ(shadow.y, text.y - 3);
        EXPECT_EQ(std::vector<float>(shadow.colour, shadow.colour + 4), std::vector<float>({0, 0, 0, 0.5f}))
            << "black at half the text's opacity";
    }
    l->setVisible(false);
    l->draw();
    EXPECT_EQ(font->rendered.size(), 6u) << "a hidden label draws nothing";
}

// The text is cut into lines once and drawn the same every time; an empty
// line renders nothing but still moves the next one down; the shadow takes
// half the text's opacity; a new text is cut again.
TEST_F(ShadowLabelTest, TextIsCutOnceAndDrawnTheSameEveryTime) {
    ShadowLabel* l = label("a\n\nb");
    l->setTextColor(0.2f, 0.4f, 0.6f, 0.4f);
    l->draw();
    l->draw();
    ASSERT_EQ(font->rendered.size(), 8u);
    EXPECT_EQ(font->rendered[2].text, "a");
    EXPECT_EQ(font->rendered[3].text, "b");
    EXPECT_FLOAT_EQ(font->rendered[2].y - font->rendered[3].y, 2 * RecordingFont::lineHeight);
    EXPECT_FLOAT_EQ(font->rendered[0].colour[3], 0.2f);
    EXPECT_FLOAT_EQ(font->rendered[2].colour[3], 0.4f);
    EXPECT_FLOAT_EQ(font->rendered[2].colour[2], 0.6f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(font->rendered[i].text, font->rendered[4 + i].text);
        EXPECT_FLOAT_EQ(font->rendered[i].y, font->rendered[4 + i].y);
    }
    l->setText("three");
    l->draw();
    EXPECT_EQ(font->rendered.back().text, "three");
}

TEST_F(ShadowLabelTest, TabStopsCountFromTheViewOriginNotTheLabel) {
    ShadowLabel* l = label("ab\tc\td");
    l->draw();
    // Tab width 56 (four times the size), stops at multiples of 56 from the
    // modelview origin (0 here). "c": past the origin of "b" (110) to 112;
    // "d": past the end of "c" (122) to 168.
    ASSERT_EQ(font->rendered.size(), 6u);
    EXPECT_FLOAT_EQ(font->rendered[3].x, 100);
    EXPECT_FLOAT_EQ(font->rendered[4].x, 112);
    EXPECT_FLOAT_EQ(font->rendered[5].x, 168);
    EXPECT_FLOAT_EQ(font->rendered[5].y, font->rendered[3].y) << "on the same line";
    // The shadow pass measures from 3 pixels further right: 113 -> 168, 178 -> 224.
    EXPECT_FLOAT_EQ(font->rendered[1].x, 168);
    EXPECT_FLOAT_EQ(font->rendered[2].x, 224);
    // A tab where the pen already stands on a stop goes on to the next.
    ShadowLabel* onStop = label("\tc");
    onStop->setLocationX(112);
    onStop->draw();
    EXPECT_FLOAT_EQ(font->rendered.back().x, 168);
}

class LogoButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = makeContext();
        logo = new LogoButton(context, 490, 20, 50, 50, 0);
        logo->setResponder(&responder);
    }
    void TearDown() override { delete context; }
    VelmContext* context = nullptr;
    LogoButton* logo = nullptr;
    CountingResponder responder;
};

// A scripted pointer: one report entering, none while inside, one leaving
// (its right edge is outside); drags, clicks and keys are not taken and
// change nothing; hidden or disabled it ignores moves; without a responder
// entering and leaving still ask for a redraw.
TEST_F(LogoButtonTest, ReportsEnteringAndLeavingOnlyByMoves) {
    context->mouseMove(10, 10);
    context->mouseDrag(500, 30);
    EXPECT_TRUE(responder.reports.empty());
    EXPECT_EQ(logo->hovering, 0);
    context->mouseMove(500, 30);
    EXPECT_EQ(responder.reports, std::vector<VelmDrawable*>({logo}));
    EXPECT_EQ(logo->hovering, 1);
    context->mouseMove(510, 40);
    context->mouseMove(539, 69);
    context->mouseDrag(10, 10);
    EXPECT_FALSE(logo->mouseDrag(10, 10));
    EXPECT_FALSE(logo->mouseDown(0, 500, 30));
    EXPECT_FALSE(logo->mouseUp(0, 500, 30));
    EXPECT_FALSE(logo->keyDown('a'));
    context->mouseDown(0, 500, 30);
    context->mouseUp(0, 500, 30);
    EXPECT_EQ(logo->hovering, 1);
    EXPECT_EQ(responder.reports.size(), 1u);
    context->mouseMove(540, 40);
    EXPECT_EQ(responder.reports.size(), 2u);
    EXPECT_EQ(logo->hovering, 0);

    logo->setEnabled(false);
    EXPECT_FALSE(logo->mouseMove(500, 30));
    EXPECT_EQ(logo->hovering, 0);
    logo->setEnabled(true);
    logo->setVisible(false);
    EXPECT_FALSE(logo->mouseMove(500, 30));
    EXPECT_EQ(responder.reports.size(), 2u);

    logo->setVisible(true);
    logo->setResponder(nullptr);
    context->redrawRequested = false;
    context->mouseMove(500, 30);
    EXPECT_TRUE(context->redrawRequested);
    context->redrawRequested = false;
    context->mouseMove(520, 30);
    EXPECT_FALSE(context->redrawRequested);
    context->mouseMove(5, 5);
    EXPECT_TRUE(context->redrawRequested);
}

TEST_F(LogoButtonTest, DrawsItsPictureOnceOverItsSquare) {
    glEnable(GL_TEXTURE_2D);
    GLuint other = 0;   // what the drawable before it left bound, at another texture coordinate
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    glTexCoord2f(0.5f, 0.5f);
    const auto polygons = feedPolygons([&] { logo->draw(); }, {0, 640, 0, 480, 1, -1}, 0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0) << "the logo's own picture";
    glDeleteTextures(1, &other);
    EXPECT_EQ(triangleCount(polygons), 2);
    float area = 0;
    for (const FedPolygon& polygon : polygons)
        for (size_t i = 0; i < polygon.size(); ++i) {
            const FedVertex& v = polygon[i];
            const FedVertex& next = polygon[(i + 1) % polygon.size()];
            area += (v.position[0] * next.position[1] - next.position[0] * v.position[1]) / 2;
            EXPECT_NEAR(v.texture[0], (v.position[0] - 490) / 50, 1e-4f);
            EXPECT_NEAR(v.texture[1], (v.position[1] - 20) / 50, 1e-4f);
        }
    EXPECT_NEAR(area, 50 * 50, 0.01f) << "the square, facing the viewer";
}

// The panel of the program as it starts.
class InterfaceTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        guiContext = program.guiContext;
        theInterface = program.theInterface;
    }
    void expectCredits(bool shown) {
        EXPECT_EQ(theInterface->creditsVisible, shown);
        EXPECT_EQ(theInterface->creditsBackground->isVisible(), shown);
        EXPECT_EQ(theInterface->credits->isVisible(), shown);
        EXPECT_EQ(theInterface->byline->isVisible(), shown);
    }
    void click(VelmDrawable* d) {
        const int x = static_cast<int>(d->getLocationX() + 4), y = static_cast<int>(d->getLocationY() + 4);
        guiContext->mouseDown(0, x, y);
        guiContext->mouseUp(0, x, y);
    }
    // Centre of a drawable.
    static float centreX(const VelmDrawable* d) { return d->getLocationX() + d->getWidth() / 2; }
    static float centreY(const VelmDrawable* d) { return d->getLocationY() + d->getHeight() / 2; }
    VelmContext* guiContext = nullptr;
    Interface* theInterface = nullptr;
};

TEST_F(InterfaceTest, StartsWithCreditsHiddenAndFeaturesOff) {
    expectCredits(false);
    EXPECT_FALSE(theInterface->highlightFeatures);
    EXPECT_FALSE(theInterface->featuresCheckBox->isChecked());
    EXPECT_EQ(theInterface->title->getText(), "Corvane zones");
    EXPECT_EQ(theInterface->makerName->getText(), "uorlin");
    EXPECT_EQ(theInterface->byline->getText(), "Corvane Zone by Quorlin");
    EXPECT_EQ(theInterface->featuresCheckBox->getText(), "Highlighted Features");
    EXPECT_EQ(theInterface->credits->getText(),
              "Programming and Implementation: Tovi Reskar\nArtwork: Ardo Venn\n"
              "Content and Concept: Lise Okwari");
    // Each text in its size: a label is as high as its lines at that size.
    VelmFont* font = guiContext->getDefaultFont();
    const Interface& p = *theInterface;
    for (auto [label, size, lines] : {std::tuple<VelmLabel*, unsigned, int>{p.title, 24, 1}, {p.makerName, 18, 1},
                                      {p.credits, 14, 3}, {p.address, 9, 1}}) {
        ASSERT_TRUE(font->FaceSize(size));
        EXPECT_FLOAT_EQ(label->getHeight(), lines * font->LineHeight()) << label->getText();
    }
    VelmFont bold("VERDANAB.TTF");
    ASSERT_TRUE(bold.FaceSize(14));
    EXPECT_FLOAT_EQ(p.byline->getWidth(), bold.Advance(p.byline->getText().c_str())) << "the byline in bold";
    for (const float* black : {p.creditsBackground->getColor(), p.featuresShadow->getTextColor()})
        EXPECT_EQ(std::vector<float>(black, black + 4), std::vector<float>({0, 0, 0, 0.5f})) << "half-opaque black";
}

TEST_F(InterfaceTest, HoveringTheLogoShowsAndHidesTheCreditsTogether) {
    guiContext->mouseMove(515, 45);
    expectCredits(true);
    guiContext->mouseMove(520, 50);
    expectCredits(true);
    guiContext->mouseMove(300, 300);
    expectCredits(false);
}

TEST_F(InterfaceTest, CheckBoxClicksSwitchTheFeaturesInStep) {
    click(theInterface->featuresCheckBox);
    EXPECT_TRUE(theInterface->highlightFeatures);
    EXPECT_TRUE(theInterface->featuresCheckBox->isChecked());
    click(theInterface->featuresCheckBox);
    EXPECT_FALSE(theInterface->highlightFeatures);
    // On the box's row, well beyond its caption, a click changes nothing.
    const int32_t row = static_cast<int32_t>(theInterface->featuresCheckBox->getLocationY()) + 5;
    guiContext->mouseDown(0, 400, row);
    guiContext->mouseUp(0, 400, row);
    EXPECT_FALSE(theInterface->highlightFeatures);
    theInterface->respond(theInterface->title);   // any other sender changes nothing
    expectCredits(false);
    EXPECT_FALSE(theInterface->highlightFeatures);
}

TEST_F(InterfaceTest, CreditsBoxIsCentredWithATenPixelMargin) {
    for (auto size : {std::pair<int, int>{640, 480}, {1024, 768}}) {
        guiContext->resize(size.first, size.second);
        layoutCredits(theInterface, size.first, size.second);
        const Interface& p = *theInterface;
        const float m = std::max(p.credits->getWidth(), p.byline->getWidth());
        const float t = p.byline->getHeight() + p.credits->getHeight() + 10;
        EXPECT_FLOAT_EQ(p.creditsBackground->getWidth(), m + 20);
        EXPECT_FLOAT_EQ(p.creditsBackground->getHeight(), t + 20);
        EXPECT_NEAR(centreX(p.creditsBackground), size.first / 2.0f, 1e-3);
        EXPECT_NEAR(centreY(p.creditsBackground), size.second / 2.0f, 1e-3);
        EXPECT_NEAR(centreX(p.credits), size.first / 2.0f, 1e-3);
        EXPECT_NEAR(centreX(p.byline), size.first / 2.0f, 1e-3);
        EXPECT_FLOAT_EQ(p.credits->getLocationY(), (size.second - t) / 2);
        EXPECT_FLOAT_EQ(p.byline->getLocationY(), p.credits->getLocationY() + p.credits->getHeight() + 10);
        EXPECT_NEAR(p.creditsBackground->getLocationY() + 10, p.credits->getLocationY(), 1e-3);
    }
    // Whichever text is the wider, the other is centred on it.
    theInterface->credits->setText("Art");
    layoutCredits(theInterface, 640, 480);
    EXPECT_NEAR(centreX(theInterface->credits), 320, 1e-3);
    EXPECT_NEAR(centreX(theInterface->byline), 320, 1e-3);
}

TEST_F(InterfaceTest, ResizeKeepsDistancesFromTheEdges) {
    const Interface& p = *theInterface;
    const float titleFromTop = 480 - p.title->getLocationY();
    const float boxFromTop = 480 - p.featuresCheckBox->getLocationY();
    const float shadowFromTop = 480 - p.featuresShadow->getLocationY();
    const float addressFromRight = 640 - p.address->getLocationX();
    EXPECT_FLOAT_EQ(titleFromTop, p.title->getHeight() + 10);
    EXPECT_FLOAT_EQ(boxFromTop, p.title->getHeight() + 10 + p.featuresCheckBox->getHeight() + 10);
    EXPECT_FLOAT_EQ(shadowFromTop, boxFromTop + 3);
    EXPECT_FLOAT_EQ(addressFromRight, p.address->getWidth() + 10);
    EXPECT_FLOAT_EQ(p.address->getLocationY(), 10);
    // The shadow sits 3 right of where the box draws its caption.
    EXPECT_FLOAT_EQ(p.featuresShadow->getLocationX(),
                    10 + p.featuresCheckBox->captionOffset() + 3);

    guiContext->resize(1024, 768);
    layoutCredits(theInterface, 1024, 768);
    EXPECT_FLOAT_EQ(768 - p.title->getLocationY(), titleFromTop);
    EXPECT_FLOAT_EQ(768 - p.featuresCheckBox->getLocationY(), boxFromTop);
    EXPECT_FLOAT_EQ(768 - p.featuresShadow->getLocationY(), shadowFromTop);
    EXPECT_FLOAT_EQ(p.featuresShadow->getLocationX(), 10 + p.featuresCheckBox->captionOffset() + 3);
    EXPECT_FLOAT_EQ(1024 - p.address->getLocationX(), addressFromRight);
    EXPECT_FLOAT_EQ(p.logo->getLocationX(), 490);
    EXPECT_FLOAT_EQ(p.logo->getLocationY(), 20);
    EXPECT_FLOAT_EQ(p.makerName->getLocationX(), 540);
    EXPECT_FLOAT_EQ(centreY(p.makerName), 45);
}
}  // namespace

namespace {
// The extent of what a context draws: its boxes (the classroom panel's
// translucent black) and its text, apart.
struct Extent {
    float left = 1e9f, bottom = 1e9f, right = -1e9f, top = -1e9f;
    int pieces = 0;
    float centreX() const { return (left + right) / 2; }
    float centreY() const { return (bottom + top) / 2; }
    bool holds(const Extent& inner, float gap) const {
        return inner.left >= left + gap && inner.right <= right - gap && inner.bottom >= bottom + gap &&
               inner.top <= top - gap;
    }
};

void drawnExtents(VelmContext* context, int w, int h, Extent& boxes, Extent& text) {
    boxes = text = Extent();
    context->resize(w, h);
    for (const FedPolygon& p : feedPolygons([&] { context->draw(); }, {0, float(w), 0, float(h), 1, -1}, 0)) {
        const bool box = p[0].colour[3] > 0.8f && p[0].colour[3] < 0.9f && p[0].colour[0] == 0;
        Extent& e = box ? boxes : text;
        e.pieces++;
        for (const FedVertex& v : p) {
            e.left = std::min(e.left, v.position[0]);
            e.right = std::max(e.right, v.position[0]);
            e.bottom = std::min(e.bottom, v.position[1]);
            e.top = std::max(e.top, v.position[1]);
        }
    }
}
}  // namespace

// The classroom panel on a context of its own: the badge in the top right
// corner, the notice centred under the panel, the help in the middle of the
// window, each text inside its box and the boxes inside the window however
// long a text, all placed again for a new size.
TEST_F(InterfaceTest, ClassroomPanelPlacesBadgeNoticeAndHelp) {
    std::unique_ptr<VelmContext> context(makeContext());
    ClassroomPanel panel(context.get());
    Extent boxes, text;
    for (auto [w, h] : {std::pair{640, 480}, std::pair{800, 600}}) {
        SCOPED_TRACE(w);
        panel.layout(w, h);
        panel.setPaused(true);
        drawnExtents(context.get(), w, h, boxes, text);
        EXPECT_EQ(boxes.pieces, 0);
        // The shadow reaches 3 pixels right of the text, glyphs a pixel or two.
        EXPECT_NEAR(text.right, w - 10 + 3, 2) << "10 pixels from the right";
        EXPECT_NEAR(text.top, h - 10, 2) << "10 pixels from the top";
        panel.setPaused(false);

        panel.showNotice("A picture was saved");
        drawnExtents(context.get(), w, h, boxes, text);
        EXPECT_NEAR(boxes.centreX(), w / 2.0f, 0.5f);
        EXPECT_NEAR(boxes.top, h - 84, 0.5f) << "under the title and the check box";
        EXPECT_NEAR(text.centreX(), w / 2.0f, 2);
        EXPECT_TRUE(boxes.holds(text, 0.5f)) << "the notice inside its box";
        panel.showNotice("Saved in /home/a-teacher-with-a-long-name/Pictures/lessons/earth-science/plates/"
                         "subduction-zones-and-volcanic-arcs, with many more words after it than fit one line");
        drawnExtents(context.get(), w, h, boxes, text);
        const Extent window{0, 0, float(w), float(h)};
        EXPECT_TRUE(window.holds(boxes, 9.5f)) << "a long notice wrapped in the window";
        EXPECT_TRUE(boxes.holds(text, 0.5f));
        runTimerPass(*program.timerList, ClassroomPanel::noticeMilliseconds / 1000.0 + 0.1);
        EXPECT_FALSE(panel.noticeShown());

        panel.toggleHelp();
        drawnExtents(context.get(), w, h, boxes, text);
        EXPECT_NEAR(boxes.centreX(), w / 2.0f, 0.5f);
        EXPECT_NEAR(boxes.centreY(), h / 2.0f, 0.5f);
        EXPECT_TRUE(boxes.holds(text, 5)) << "the keys and what they do inside the box";
        EXPECT_GT(text.right - text.left, (boxes.right - boxes.left) * 0.8f) << "two columns fill the box";
        panel.toggleHelp();
        drawnExtents(context.get(), w, h, boxes, text);
        EXPECT_EQ(boxes.pieces + text.pieces, 0) << "all hidden again";
    }
}
