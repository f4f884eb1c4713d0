// VelmContext and the widgets under a real GL context: routing, focus,
// check boxes, dependent dimensions, labels and fonts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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
    static void hook(int32_t) {}
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
    context->scrollWheel(velmWheelDown, 305, 309);
    EXPECT_EQ(away->last(), "scrollWheel 1 305 309");
}

TEST_F(ContextTest, HiddenAndDisabledDrawablesTakeNoClicks) {
    auto* lower = new RecordingDrawable(context, 0, 0, 100, 100);
    auto* upper = new RecordingDrawable(context, 0, 0, 100, 100);
    upper->setVisible(false);
    context->mouseDown(0, 5, 5);
    EXPECT_TRUE(upper->events.empty());
    EXPECT_EQ(lower->events.size(), 1u);
    lower->setEnabled(false);
    context->mouseDown(0, 5, 5);
    context->scrollWheel(0, 5, 5);
    EXPECT_EQ(lower->events.size(), 1u);
}

TEST_F(ContextTest, ReleaseGoesToTheDrawableThatTookThePress) {
    auto* a = new RecordingDrawable(context, 0, 0, 100, 100);
    auto* b = new RecordingDrawable(context, 200, 0, 100, 100);
    context->mouseDown(0, 10, 10);
    context->mouseUp(0, 250, 10);   // released over b
    EXPECT_EQ(a->last(), "mouseUp 0 250 10");
    EXPECT_TRUE(b->events.empty());
}

TEST_F(ContextTest, DrawsVisibleDrawablesInOrderOfConstruction) {
    auto* first = new RecordingDrawable(context, 0, 0, 1, 1);
    auto* hidden = new RecordingDrawable(context, 0, 0, 1, 1);
    hidden->setVisible(false);
    context->redrawRequested = true;
    context->draw();
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(hidden->draws, 0);
    EXPECT_FALSE(context->redrawRequested);
    ASSERT_EQ(context->getDrawables().size(), 2u);
    EXPECT_TRUE(*context->getDrawables()[1] > *context->getDrawables()[0]);
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
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_EQ(context->getFocus(), a);
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
    context->mouseMove(midX(), midY());
    EXPECT_TRUE(box->isHovering());
    context->mouseDown(0, midX(), midY());
    EXPECT_FALSE(box->isChecked());              // nothing until the release
    context->mouseUp(0, midX(), midY());
    EXPECT_TRUE(box->isChecked());
    context->mouseDown(0, midX(), midY());
    context->mouseUp(0, midX(), midY());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(responder.states, std::vector<bool>({true, false}));
    context->mouseMove(600, 400);
    EXPECT_FALSE(box->isHovering());
}

TEST_F(CheckBoxTest, PressDraggedAwayOrOtherButtonsDoNotToggle) {
    context->mouseDown(0, midX(), midY());
    context->mouseDrag(600, 400);
    context->mouseUp(0, 600, 400);
    context->mouseDown(1, midX(), midY());
    context->mouseUp(1, midX(), midY());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(responder.reports, 0);
}

TEST_F(CheckBoxTest, KeyboardFocusAndSpaceToggle) {
    context->keyDown(velmKeySpace, 0, 0);
    EXPECT_FALSE(box->isChecked());              // not focused yet
    context->keyDown(velmKeyTab, 0, 0);
    EXPECT_TRUE(box->hasFocus());
    context->keyDown(velmKeySpace, 0, 0);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(responder.reports, 1);
    box->setEnabled(false);
    context->keyDown(velmKeySpace, 0, 0);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(responder.reports, 1);
}

TEST_F(CheckBoxTest, ToggleFlashesThroughTheHostTimer) {
    box->toggle();
    EXPECT_TRUE(box->isFlashing());
    ASSERT_EQ(Host::timerDelays.size(), 1u);
    EXPECT_EQ(Host::timerDelays[0], VelmCheckBox::flashMilliseconds);
    Host::fireAll();
    EXPECT_FALSE(box->isFlashing());
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

TEST_F(CheckBoxTest, DrawShowsTheMarkOnlyWhileChecked) {
    context->draw();
    const float side = box->boxSize();
    // The tick's middle point lies at 42% across and 25% up the box.
    auto markPixel = [&] {
        return pixelAt(static_cast<int>(10 + 1 + 0.42f * (side - 2)),
                       static_cast<int>(40 + 1 + 0.27f * (side - 2)));
    };
    const auto unchecked = markPixel();
    resetTestView();
    box->setChecked(true);
    context->draw();
    const auto checked = markPixel();
    EXPECT_GT(checked[0], unchecked[0] + 100);
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
    auto* label = new VelmLabel(context, 20, 30, "top\n\nbottom", 14, 0);
    auto* font = new RecordingFont;
    label->adoptFont(font);
    label->setTextColor(0.25f, 0.5f, 0.75f, 1.0f);
    context->draw();
    ASSERT_EQ(font->rendered.size(), 3u);   // the empty line renders nothing visible
    EXPECT_EQ(font->rendered[0].text, "top");
    EXPECT_EQ(font->rendered[2].text, "bottom");
    EXPECT_FLOAT_EQ(font->rendered[0].y - font->rendered[2].y, 2 * RecordingFont::lineHeight);
    EXPECT_FLOAT_EQ(font->rendered[2].y, 30 - RecordingFont::descender);
    EXPECT_FLOAT_EQ(font->rendered[0].x, 20);
    EXPECT_FLOAT_EQ(font->rendered[0].colour[2], 0.75f);
}

TEST_F(ContextTest, DefaultTextColourIsThePaletteLabelColour) {
    auto* label = new VelmLabel(context, 0, 0, "x", 14, 0);
    EXPECT_FLOAT_EQ(label->getTextColor()[0], grey[0]);
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

TEST_F(ContextTest, HostileBytesAreDrawnSafely) {
    VelmFont font("VERDANA.TTF");
    ASSERT_TRUE(font.FaceSize(14));
    font.Render("\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF");
    EXPECT_GT(font.Advance("\xFF\xFE"), 0.0f);   // drawn as replacement marks
}
