// VelmContext and the widgets under a real GL context: routing, focus,
// check boxes, dependent dimensions, labels and fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "support/feedback.h"
#include "support/gl_helpers.h"
#include "support/recording.h"
#include "support/temp_path.h"
#include "velmkit/velm.h"

namespace {
const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};

// Collects what the host callbacks receive.
struct Host {
    static std::vector<uint32_t> timerDelays;
    static std::vector<std::pair<VelmTimerFunc, int32_t>> timers;
    static int32_t modifiers;
    static void addTimer(uint32_t ms, VelmTimerFunc f, int32_t v) {
        timerDelays.push_back(ms);
        timers.push_back({f, v});
    }
    static std::vector<int32_t> hooks;
    static void hook(int32_t code) { hooks.push_back(code); }
    static int32_t mods() { return modifiers; }
    static void fireAll() {
        auto due = timers;
        timers.clear();
        for (auto& t : due)
            t.first(t.second);
    }
};
std::vector<uint32_t> Host::timerDelays;
std::vector<std::pair<VelmTimerFunc, int32_t>> Host::timers;
std::vector<int32_t> Host::hooks;
int32_t Host::modifiers = 0;

// Counts reports, remembering the check box state at each.
struct CountingResponder : VelmResponder {
    std::vector<bool> states;
    int reports = 0;
    void respond(VelmDrawable* sender) override {
        ++reports;
        if (auto* box = dynamic_cast<VelmCheckBox*>(sender))
            states.push_back(box->isChecked());
    }
    void notify(VelmDrawable*) override {}
};

class ContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        Host::timerDelays.clear();
        Host::timers.clear();
        Host::hooks.clear();
        Host::modifiers = 0;
        velmInit(Host::addTimer, Host::hook, Host::mods);
        VelmPalette palette = testPalette(grey);
        std::copy(grey, grey + 4, palette.label);
        context = new VelmContext(640, 480, "VERDANA.TTF", palette);
        resetTestView();
    }
    void TearDown() override { delete context; }
    VelmContext* context = nullptr;
};
}  // namespace

TEST_F(ContextTest, MovesAndDragsReachEveryDrawableClicksOnlyTheTopmostUnderThePointer) {
    auto* lower = new RecordingDrawable(context, 0, 0, 100, 100);
    auto* upper = new RecordingDrawable(context, 50, 50, 100, 100);
    auto* away = new RecordingDrawable(context, 300, 300, 10, 10);
    context->mouseMove(75, 75);
    context->mouseDrag(1, 2);
    for (auto* d : {lower, upper, away})
        EXPECT_EQ(d->events.size(), 2u);
    context->mouseDown(0, 75, 75);   // both contain the point: the upper takes it
    context->mouseUp(0, 75, 75);
    EXPECT_EQ(upper->last(), "mouseUp 0 75 75");
    EXPECT_EQ(lower->events.size(), 2u);
    context->mouseDown(1, 10, 10);
    EXPECT_EQ(lower->last(), "mouseDown 1 10 10");
    context->mouseUp(1, 305, 305);   // released elsewhere: to the drawable that took the press
    EXPECT_EQ(lower->last(), "mouseUp 1 305 305");
    EXPECT_EQ(away->events.size(), 2u);
    context->scrollWheel(velmWheelDown, 305, 309);
    EXPECT_EQ(away->last(), "scrollWheel 1 305 309");
}

TEST_F(ContextTest, DrawsVisibleDrawablesInOrderAndOnlyVisibleEnabledOnesTakeClicks) {
    auto* lower = new RecordingDrawable(context, 0, 0, 100, 100);
    auto* upper = new RecordingDrawable(context, 0, 0, 100, 100);
    upper->setVisible(false);
    context->redrawRequested = true;
    context->draw();
    EXPECT_EQ(lower->draws, 1);
    EXPECT_EQ(upper->draws, 0);
    EXPECT_FALSE(context->redrawRequested);
    ASSERT_EQ(context->getDrawables().size(), 2u);
    EXPECT_TRUE(*context->getDrawables()[1] > *context->getDrawables()[0]);
    EXPECT_TRUE(*lower == *lower);
    EXPECT_FALSE(*upper == *lower);
    context->mouseDown(0, 5, 5);
    EXPECT_TRUE(upper->events.empty());
    EXPECT_EQ(lower->events.size(), 1u);
    lower->setEnabled(false);
    context->mouseDown(0, 5, 5);
    context->scrollWheel(0, 5, 5);
    EXPECT_EQ(lower->events.size(), 1u);
}

TEST_F(ContextTest, KeysGoToTheFocusAndTabMovesIt) {
    auto* a = new RecordingDrawable(context, 0, 0, 10, 10);
    auto* plain = new RecordingDrawable(context, 20, 0, 10, 10);
    auto* b = new RecordingDrawable(context, 40, 0, 10, 10);
    a->makeFocusable();
    b->makeFocusable();
    a->takesEvents = b->takesEvents = false;   // so that Tab is not swallowed
    context->keyDown('x', 0, 0);
    EXPECT_TRUE(a->events.empty());            // nothing has the focus yet
    context->redrawRequested = false;
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_EQ(context->getFocus(), a);
    EXPECT_TRUE(context->redrawRequested) << "the focus ring moves";
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_EQ(context->getFocus(), b);          // the plain drawable is skipped
    Host::modifiers = velmModShift;
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_EQ(context->getFocus(), a);
    context->keyDown('x', 0, 0);
    context->keyUp('x', 0, 0);
    EXPECT_EQ(a->last(), "keyUp 120 0 0");
    EXPECT_TRUE(plain->events.empty());
    context->setFocus(plain);                  // cannot take the focus
    EXPECT_EQ(context->getFocus(), a);
    // An explicit chain wins over the order of construction, both ways.
    auto* c = new RecordingDrawable(context, 60, 0, 10, 10);
    c->makeFocusable();
    c->takesEvents = false;
    a->setNextTab(c);
    c->setLastTab(a);
    Host::modifiers = 0;
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_EQ(context->getFocus(), c);
    Host::modifiers = velmModShift;
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_EQ(context->getFocus(), a);
}

TEST_F(ContextTest, DependentDimensionsFollowTheContextSize) {
    auto* fromRight = new RecordingDrawable(context, 0, 10, 30, 20);
    auto* fromTop = new RecordingDrawable(context, 10, 0, 30, 20);
    auto* stretched = new RecordingDrawable(context, 10, 10, 30, 20);
    fromRight->setDependentDimensions(40, 0, 0, 0);
    fromTop->setDependentDimensions(0, 34, 0, 0);
    stretched->setDependentDimensions(0, 0, 5, 0);
    EXPECT_FLOAT_EQ(fromRight->getLocationX(), 600);
    EXPECT_FLOAT_EQ(fromTop->getLocationY(), 446);
    context->resize(1024, 768);
    EXPECT_FLOAT_EQ(fromRight->getLocationX(), 984);
    EXPECT_FLOAT_EQ(fromRight->getLocationY(), 10);
    EXPECT_FLOAT_EQ(fromTop->getLocationY(), 734);
    EXPECT_FLOAT_EQ(fromTop->getLocationX(), 10);
    EXPECT_FLOAT_EQ(stretched->getWidth(), 1024 - 5 - 10);
}

// A context asked to show bounds outlines every visible drawable in the
// accent colour, on its edge pixels.
TEST(ContextBounds, OutlinedInTheAccentColour) {
    VelmPalette palette = testPalette(grey);
    palette.accent[0] = 0.75f;
    VelmContext context(640, 480, "VERDANA.TTF", palette, true);
    new RecordingDrawable(&context, 10, 20, 30, 40);
    std::vector<FedPolygon> lines;
    feedPolygons([&] { context.draw(); }, {0, 640, 0, 480, 1, -1}, 0, &lines);
    ASSERT_EQ(lines.size(), 4u);
    float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
    for (const FedPolygon& line : lines)
        for (const FedVertex& v : line) {
            EXPECT_FLOAT_EQ(v.colour[0], 0.75f);
            EXPECT_TRUE(closeTo(v.position[0], 10.5f) || closeTo(v.position[0], 39.5f)) << v.position[0];
            EXPECT_TRUE(closeTo(v.position[1], 20.5f) || closeTo(v.position[1], 59.5f)) << v.position[1];
            left = std::min(left, v.position[0]);
            right = std::max(right, v.position[0]);
            bottom = std::min(bottom, v.position[1]);
            top = std::max(top, v.position[1]);
        }
    EXPECT_NEAR(left, 10.5f, 1e-3f);
    EXPECT_NEAR(right, 39.5f, 1e-3f);
    EXPECT_NEAR(bottom, 20.5f, 1e-3f);
    EXPECT_NEAR(top, 59.5f, 1e-3f);
}

TEST_F(ContextTest, ColourRectFillsItsBoundsInItsColour) {
    const float teal[4] = {0.25f, 0.5f, 0.75f, 0.5f};
    new VelmColorRect(context, 10, 20, 30, 40, teal);
    const auto polygons = feedPolygons([&] { context->draw(); }, {0, 640, 0, 480, 1, -1}, 0);
    EXPECT_EQ(triangleCount(polygons), 2);
    for (const FedPolygon& polygon : polygons)
        for (const FedVertex& v : polygon) {
            EXPECT_EQ(v.colour, (std::array<float, 4>{0.25f, 0.5f, 0.75f, 0.5f}));
            EXPECT_TRUE(closeTo(v.position[0], 10) || closeTo(v.position[0], 40)) << v.position[0];
            EXPECT_TRUE(closeTo(v.position[1], 20) || closeTo(v.position[1], 60)) << v.position[1];
        }
}

TEST_F(ContextTest, ResetViewMapsWindowPixels) {
    context->resize(800, 600);
    context->resetView();
    GLfloat projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_NEAR(projection[0], 2.0f / 800, 1e-7);
    EXPECT_NEAR(projection[5], 2.0f / 600, 1e-7);
    EXPECT_NEAR(projection[12], -1.0f, 1e-6);
    EXPECT_FLOAT_EQ(modelview[0], 1);
    EXPECT_FLOAT_EQ(modelview[12], 0);
    EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
}

class CheckBoxTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        box = new VelmCheckBox(context, 10, 40, "Highlighted Features", 14, -1);
        box->setResponder(&responder);
    }
    int midX() const { return static_cast<int>(box->getLocationX() + 5); }
    int midY() const { return static_cast<int>(box->getLocationY() + 5); }
    VelmCheckBox* box = nullptr;
    CountingResponder responder;
};

TEST_F(CheckBoxTest, ClickTogglesAndReportsOncePerChange) {
    Host::hooks.clear();
    context->mouseMove(midX(), midY());
    EXPECT_TRUE(box->isHovering());
    EXPECT_EQ(Host::hooks, std::vector<int32_t>({velmHookRedraw})) << "the hover face is drawn";
    context->mouseDown(0, midX(), midY());
    EXPECT_FALSE(box->isChecked());              // nothing until the release
    context->mouseUp(0, midX(), midY());
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(box->isFlashing());
    EXPECT_EQ(Host::timerDelays, std::vector<uint32_t>({VelmCheckBox::flashMilliseconds})) << "through the host";
    Host::fireAll();
    EXPECT_FALSE(box->isFlashing());
    context->mouseDown(0, midX(), midY());
    context->mouseUp(0, midX(), midY());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(responder.states, std::vector<bool>({true, false}));
    EXPECT_NE(std::find(Host::hooks.begin(), Host::hooks.end(), velmHookRedraw), Host::hooks.end())
        << "the host is asked to draw again";
    context->mouseMove(600, 400);
    EXPECT_FALSE(box->isHovering());
}

TEST_F(CheckBoxTest, PressDraggedAwayOrOtherButtonsDoNotToggle) {
    context->mouseDown(0, midX(), midY());
    context->mouseDrag(600, 400);
    context->redrawRequested = false;
    context->mouseUp(0, 600, 400);
    EXPECT_TRUE(context->redrawRequested) << "the pressed face is drawn at rest again";
    context->mouseDown(1, midX(), midY());
    context->mouseUp(1, midX(), midY());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(responder.reports, 0);
    // A press that began elsewhere does not toggle it when released over it.
    context->mouseDown(0, 600, 400);
    context->mouseUp(0, midX(), midY());
    EXPECT_FALSE(box->isChecked());
    // A press the box does not take leaves the release to what lies under it.
    auto* below = new RecordingDrawable(context, 300, 300, 10, 10);
    context->mouseDown(1, midX(), midY());
    context->mouseUp(1, 305, 305);
    EXPECT_EQ(below->last(), "mouseUp 1 305 305");
}

TEST_F(CheckBoxTest, KeyboardFocusAndSpaceToggle) {
    context->keyDown(velmKeySpace, 0, 0);
    EXPECT_FALSE(box->isChecked());              // not focused yet
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_TRUE(box->hasFocus());
    context->redrawRequested = false;
    context->keyDown(velmKeySpace, 0, 0);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(context->redrawRequested) << "the tick is drawn";
    EXPECT_EQ(responder.reports, 1);
    box->setEnabled(false);
    context->keyDown(velmKeySpace, 0, 0);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(responder.reports, 1);
}

TEST_F(CheckBoxTest, TimerFiringAfterTheBoxIsGoneTouchesNoOtherBox) {
    box->toggle();
    delete box;
    box = nullptr;
    auto* other = new VelmCheckBox(context, 10, 100, "Other", 14, -1);
    other->toggle();
    auto stale = Host::timers.front();
    stale.first(stale.second);           // the deleted box's flash ends: nothing to do
    EXPECT_TRUE(other->isFlashing());
    Host::timers.erase(Host::timers.begin());
    Host::fireAll();
    EXPECT_FALSE(other->isFlashing());
}

TEST_F(CheckBoxTest, BoxIsOneLineHighAndCaptionFollowsTheDescenderRule) {
    VelmFont* font = context->getDefaultFont();
    ASSERT_TRUE(font->FaceSize(14));
    EXPECT_FLOAT_EQ(box->getHeight(), font->LineHeight());
    EXPECT_FLOAT_EQ(box->captionOffset(), box->getHeight() + font->Descender() + 10);
    EXPECT_NEAR(box->getWidth(), box->captionOffset() + font->Advance("Highlighted Features"), 1e-3);
}

namespace {
// A palette whose every slot has a red of its own, so that what is drawn
// tells which slot it was drawn in.
enum Slot { Background = 1, Face, Shadow, Frame, Accent, Disabled, Mark, Outline, Label };
VelmPalette slotPalette() {
    VelmPalette p;
    float* slots[] = {p.background, p.face, p.shadow, p.frame, p.accent, p.disabled, p.mark, p.outline, p.label};
    for (int i = 0; i < 9; ++i) {
        const float colour[4] = {(i + 1) / 10.0f, 0, 0, 1};
        std::copy(colour, colour + 4, slots[i]);
    }
    return p;
}

// The bounds of what one drawing gave GL in one slot's colour.
struct Drawn {
    float left = 1e9f, bottom = 1e9f, right = -1e9f, top = -1e9f;
    int parts = 0;
    std::vector<FedPolygon> pieces;
};

class CheckBoxDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        velmInit(Host::addTimer, Host::hook, Host::mods);
        Host::timers.clear();
        context = new VelmContext(640, 480, "VERDANA.TTF", slotPalette());
        box = new VelmCheckBox(context, 10.4f, 40.6f, "Highlighted Features", 14, -1);
        context->resetView();
        side = std::floor(box->boxSize());
    }
    void TearDown() override { delete context; }
    // What a frame of the context draws, by slot, polygons and lines apart.
    void draw() {
        polygons.clear();
        lines.clear();
        std::vector<FedPolygon> fedLines;
        for (const FedPolygon& p : feedPolygons([&] { context->draw(); }, {0, 640, 0, 480, 1, -1}, 0, &fedLines))
            add(polygons, p);
        for (const FedPolygon& l : fedLines)
            add(lines, l);
    }
    static void add(std::map<int, Drawn>& into, const FedPolygon& piece) {
        Drawn& d = into[static_cast<int>(std::lround(piece[0].colour[0] * 10))];
        d.parts++;
        d.pieces.push_back(piece);
        for (const FedVertex& v : piece) {
            d.left = std::min(d.left, v.position[0]);
            d.right = std::max(d.right, v.position[0]);
            d.bottom = std::min(d.bottom, v.position[1]);
            d.top = std::max(d.top, v.position[1]);
        }
    }
    // The face and the square of lines inset by `inset` round the box:
    // every corner on it, unless other strokes share its colour.
    void expectSquare(const Drawn& d, float inset, float dx = 0, float dy = 0, bool alone = true) {
        const float left = 10 + 1 + inset + dx, right = 10 + side - 1 - inset + dx;
        const float bottom = 40 + 1 + inset + dy, top = 40 + side - 1 - inset + dy;
        EXPECT_NEAR(d.left, left, 1e-3f);
        EXPECT_NEAR(d.bottom, bottom, 1e-3f);
        EXPECT_NEAR(d.right, right, 1e-3f);
        EXPECT_NEAR(d.top, top, 1e-3f);
        for (const FedPolygon& piece : d.pieces)
            for (const FedVertex& v : piece) {
                if (!alone)
                    break;
                EXPECT_TRUE(closeTo(v.position[0], left, 1e-3f) || closeTo(v.position[0], right, 1e-3f));
                EXPECT_TRUE(closeTo(v.position[1], bottom, 1e-3f) || closeTo(v.position[1], top, 1e-3f));
            }
    }
    VelmContext* context = nullptr;
    VelmCheckBox* box = nullptr;
    float side = 0;
    std::map<int, Drawn> polygons, lines;
};
}  // namespace

// The box at rest: a shadow one pixel right and down, the face in the
// background colour on whole pixels, an outline and a frame inside it, the
// caption beyond the box, and no focus ring or tick.
TEST_F(CheckBoxDrawing, AtRestShadowFaceOutlineFrameAndCaption) {
    draw();
    expectSquare(polygons[Shadow], 0, 1, -1);
    expectSquare(polygons[Background], 0);
    expectSquare(lines[Outline], 0.5f);
    expectSquare(lines[Frame], 1.5f);
    EXPECT_EQ(lines[Outline].parts, 4) << "a closed square";
    EXPECT_EQ(polygons.count(Face) + polygons.count(Accent) + lines.count(Accent) + lines.count(Mark), 0u);
    ASSERT_EQ(polygons.count(Label), 1u) << "the caption";
    // Glyph quads reach a pixel or two past the pen's advance.
    EXPECT_NEAR(polygons[Label].left, 10.4f + box->captionOffset(), 2.5f);
    EXPECT_NEAR(polygons[Label].right, 10.4f + box->getWidth(), 2.5f);
}

// A scripted pointer: hovering shows the face colour, pressing the accent
// (also when it moves off and back), a toggle flashes in the accent until
// its timer fires.
TEST_F(CheckBoxDrawing, FaceFollowsThePointerAndTheFlash) {
    const int inX = 15, inY = 45;
    context->mouseMove(inX, inY);
    draw();
    expectSquare(polygons[Face], 0);
    EXPECT_EQ(polygons.count(Background), 0u);
    context->mouseDown(velmButtonLeft, inX, inY);
    draw();
    expectSquare(polygons[Accent], 0);
    context->mouseDrag(300, 300);
    draw();
    EXPECT_EQ(polygons.count(Accent), 0u) << "pressed, but the pointer is away";
    EXPECT_EQ(polygons.count(Background), 1u);
    context->mouseDrag(inX, inY);
    context->mouseUp(velmButtonLeft, inX, inY);
    draw();
    EXPECT_EQ(polygons.count(Accent), 1u) << "the flash of the toggle";
    Host::fireAll();
    draw();
    EXPECT_EQ(polygons.count(Accent), 0u);
    EXPECT_EQ(polygons.count(Face), 1u);
}

// Focus puts an accent ring two pixels round the box; checked draws the
// tick: from the left middle down into the box's lower third, then up to
// the right, inside the box.
TEST_F(CheckBoxDrawing, FocusRingAndTick) {
    context->keyDown(velmKeyTab, 0, 0);
    context->keyDown(velmKeySpace, 0, 0);
    Host::fireAll();
    draw();
    expectSquare(lines[Accent], -1.5f);
    ASSERT_EQ(lines[Mark].parts, 2) << "two strokes";
    const auto& down = lines[Mark].pieces[0];
    const auto& up = lines[Mark].pieces[1];
    EXPECT_LT(down[1].position[1], down[0].position[1]);
    EXPECT_LT(down[0].position[0], 10 + side / 3);
    EXPECT_NEAR(down[0].position[1], 40 + side / 2, side / 6);
    EXPECT_LT(down[1].position[1], 40 + side / 3);
    EXPECT_LT(down[1].position[0], 10 + side / 2) << "the bend is left of the middle";
    EXPECT_GT(down[1].position[0], down[0].position[0]);
    EXPECT_GT(up[1].position[1], down[0].position[1]);
    EXPECT_GT(up[1].position[0], up[0].position[0]);
    EXPECT_GT(lines[Mark].left, 11);
    EXPECT_LT(lines[Mark].right, 10 + side - 1);
    EXPECT_GT(lines[Mark].bottom, 41);
    EXPECT_LT(lines[Mark].top, 40 + side - 1);
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 1.0f) << "the tick's width is not left behind";
}

// Disabled: no hover face, the frame, the tick and the caption in the
// disabled colour.
TEST_F(CheckBoxDrawing, DisabledBoxDrawsInTheDisabledColour) {
    box->setChecked(true);
    box->setEnabled(false);
    context->mouseMove(15, 45);
    draw();
    EXPECT_EQ(polygons.count(Face), 0u);
    expectSquare(polygons[Background], 0);
    expectSquare(lines[Disabled], 1.5f, 0, 0, false);   // the tick too
    EXPECT_EQ(lines[Disabled].parts, 4 + 2);
    EXPECT_EQ(lines.count(Frame) + lines.count(Mark), 0u);
}

// Whatever picture the drawable before it left bound and switched on, the
// box's face shows its own colour.
TEST_F(CheckBoxDrawing, FaceIgnoresATextureLeftOn) {
    GLuint black = 0;
    const GLubyte texel[4] = {0, 0, 0, 255};
    glGenTextures(1, &black);
    glBindTexture(GL_TEXTURE_2D, black);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    resetTestView();
    glEnable(GL_TEXTURE_2D);
    context->draw();
    EXPECT_NEAR(pixelAt(static_cast<int>(10 + side / 2), static_cast<int>(40 + side / 2))[0], 255 * 0.1f, 2)
        << "the face in the background slot's red";
    glDeleteTextures(1, &black);
}

TEST_F(ContextTest, LabelMeasuresThreeLines) {
    auto* label = new VelmLabel(context, 0, 0, "one\nthree33\ntwo", 14, 0);
    auto* font = new RecordingFont;
    label->adoptFont(font);
    EXPECT_FLOAT_EQ(label->getHeight(), 3 * RecordingFont::lineHeight);
    EXPECT_FLOAT_EQ(label->getWidth(), 7 * RecordingFont::charWidth);
    label->setText("a\tb");
    EXPECT_FLOAT_EQ(label->getWidth(), 4 * 14 + RecordingFont::charWidth);   // b after the first stop
}

TEST_F(ContextTest, LabelDrawsLinesOneLineHeightApartInItsColour) {
    auto* label = new VelmLabel(context, 20, 30, "top\n\nbottom\tend", 14, 0);
    auto* font = new RecordingFont;
    context->redrawRequested = false;
    label->adoptFont(font);
    EXPECT_TRUE(context->redrawRequested) << "a new font is drawn";
    EXPECT_FLOAT_EQ(label->getTextColor()[0], grey[0]) << "the palette's label colour at first";
    context->redrawRequested = false;
    const float teal[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    label->setTextColor(teal);
    EXPECT_TRUE(context->redrawRequested) << "and a new colour";
    context->draw();
    ASSERT_EQ(font->rendered.size(), 4u);   // the empty line renders nothing visible
    EXPECT_EQ(font->rendered[0].text, "top");
    EXPECT_EQ(font->rendered[2].text, "bottom");
    EXPECT_FLOAT_EQ(font->rendered[3].x, 20 + 2 * 4 * 14) << "past 60 pixels of \"bottom\" to the second tab stop";
    EXPECT_FLOAT_EQ(font->rendered[3].y, font->rendered[2].y);
    EXPECT_FLOAT_EQ(font->rendered[0].y - font->rendered[2].y, 2 * RecordingFont::lineHeight);
    EXPECT_FLOAT_EQ(font->rendered[2].y, 30 - RecordingFont::descender);
    EXPECT_FLOAT_EQ(font->rendered[0].x, 20);
    EXPECT_EQ(std::vector<float>(font->rendered[0].colour, font->rendered[0].colour + 4),
              std::vector<float>(teal, teal + 4));
    label->setVisible(false);
    label->draw();   // drawn directly, as a check box draws its caption
    EXPECT_EQ(font->rendered.size(), 4u) << "a hidden label draws nothing";
}

TEST(VelmFontLookup, AbsentFileFallsBackThroughFontconfig) {
    const std::string regular = velmResolveFontFile("VERDANA.TTF");
    const std::string bold = velmResolveFontFile("VERDANAB.TTF");
    ASSERT_FALSE(regular.empty());
    ASSERT_FALSE(bold.empty());
    EXPECT_NE(regular, bold);
    EXPECT_NE(bold.find("Bold"), std::string::npos) << bold;
    EXPECT_NE(regular.find("DejaVuSans"), std::string::npos) << regular;
}

TEST_F(ContextTest, RealFontMeasuresAndRenders) {
    VelmFont font("VERDANA.TTF");
    ASSERT_TRUE(font.isValid());
    ASSERT_TRUE(font.FaceSize(24));
    EXPECT_GT(font.Advance("Corvane zones"), 100);
    EXPECT_LT(font.Descender(), 0);
    glColor4f(1, 1, 1, 1);
    glTranslatef(10, 200, 0);
    font.Render("MMMM");
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[12] - 10, font.Advance("MMM"), 0.5);   // moved by all but the last
    int lit = 0;
    for (int x = 10; x < 80; ++x)
        lit += pixelAt(x, 208)[0] > 128;
    EXPECT_GT(lit, 20);
    // Bytes that are no text are drawn safely, as replacement marks.
    font.Render("\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF");
    EXPECT_GT(font.Advance("\xFF\xFE"), 0.0f);
}

TEST_F(ContextTest, FontThatCannotBeReadDrawsNothingAndMeasuresZero) {
    const std::string file = testTempPath("not_a_font.ttf");
    const char* path = file.c_str();
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("this is not a font", f);
    std::fclose(f);
    VelmFont font(path);
    EXPECT_FALSE(font.isValid());
    EXPECT_FALSE(font.FaceSize(14));
    EXPECT_EQ(font.Advance("abc"), 0.0f);
    EXPECT_EQ(font.Advance(nullptr), 0.0f);
    EXPECT_EQ(font.Descender(), 0.0f);
    glColor4f(1, 1, 1, 1);
    font.Render("abc");
    font.Render(nullptr);
    auto* label = new VelmLabel(context, 0, 0, "abc", 14, 0);
    label->setFont(path);
    EXPECT_EQ(label->getWidth(), 0.0f);
    EXPECT_EQ(label->getHeight(), 0.0f);
    context->draw();
    EXPECT_EQ(pixelAt(5, 5)[0], 0);
    std::remove(path);
}
