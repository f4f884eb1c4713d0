// The panel: building its widgets, reacting to them, laying out the credits.
#include "interface/interface.h"

#include <algorithm>

#include "interface/logo_button.h"
#include "interface/translation.h"
#include "interface/shadow_label.h"
#include "velmkit/velm.h"

namespace {
constexpr unsigned titleSize = 24, makerSize = 18, creditsSize = 14, addressSize = 9,
                   featuresSize = 14;
constexpr float margin = 10.0f;
constexpr float logoX = 490, logoY = 20, logoSide = 50;
constexpr float makerNameX = 540;
constexpr float logoMiddleY = logoY + logoSide / 2;   // "uorlin" is centred on this line
constexpr float checkBoxX = 10, checkBoxY = 40;
constexpr float creditsBoxColour[4] = {0, 0, 0, 0.5f};
constexpr float shadowShift = ShadowLabel::shadowOffset;
constexpr const char* bylineFont = "VERDANAB.TTF";
constexpr int noTabIndex = -1;

// Width M and height T of the credits' text block.
void creditsBlock(const Interface& panel, float& m, float& t) {
    const float cw = panel.credits->getWidth(), bw = panel.byline->getWidth();
    m = cw > bw ? cw : bw;
    t = panel.byline->getHeight() + panel.credits->getHeight() + margin;
}
}  // namespace

Interface::Interface(VelmContext* guiContext, GLuint logoTexture) : creditsVisible(false) {
    title = new ShadowLabel(guiContext, margin, 0, tr(titleText), titleSize, 0);
    title->setDependentDimensions(0, title->getHeight() + margin, 0, 0);

    makerName = new ShadowLabel(guiContext, makerNameX, 0, makerNameText, makerSize, 0);
    makerName->setLocationY(logoMiddleY - makerName->getHeight() * 0.5f);

    logo = new LogoButton(guiContext, logoX, logoY, logoSide, logoSide, logoTexture);
    logo->setResponder(this);

    creditsBackground = new VelmColorRect(guiContext, 0, 0, 0, 0, creditsBoxColour);
    creditsBackground->setVisible(false);

    credits = new ShadowLabel(guiContext, 0, 0, tr(creditsText), creditsSize, 0);
    credits->setVisible(false);

    byline = new ShadowLabel(guiContext, 0, 0, tr(bylineText), creditsSize, 0);
    byline->setFont(bylineFont);
    byline->setVisible(false);
    float m, t;
    creditsBlock(*this, m, t);
    creditsBackground->setWidth(m + 2 * margin);
    creditsBackground->setHeight(t + 2 * margin);

    address = new ShadowLabel(guiContext, 0, margin, addressText, addressSize, 0);
    address->setDependentDimensions(address->getWidth() + margin, 0, 0, 0);

    featuresShadow = new VelmLabel(guiContext, 0, 0, tr(featuresText), featuresSize, 0);
    featuresShadow->setTextColor(0, 0, 0, velmWhite[3] * 0.5f);

    featuresCheckBox = new VelmCheckBox(guiContext, checkBoxX, checkBoxY, tr(featuresText),
                                        featuresSize, noTabIndex);
    featuresCheckBox->setResponder(this);
    const float checkBoxFromTop =
        title->getHeight() + margin + featuresCheckBox->getHeight() + margin;
    featuresCheckBox->setDependentDimensions(0, checkBoxFromTop, 0, 0);

    VelmFont* boxFont = featuresCheckBox->activeFont();
    const float descender = boxFont != nullptr && boxFont->FaceSize(featuresSize)
                                ? boxFont->Descender()
                                : 0.0f;
    featuresShadow->setLocationX(checkBoxX + (featuresCheckBox->getHeight() + descender + margin) +
                                 shadowShift);
    featuresShadow->setDependentDimensions(0, checkBoxFromTop + shadowShift, 0, 0);
}

void Interface::respond(VelmDrawable* sender) {
    if (sender == logo) {
        creditsVisible = !creditsVisible;
        credits->setVisible(creditsVisible);
        byline->setVisible(creditsVisible);
        creditsBackground->setVisible(creditsVisible);
    } else if (sender == featuresCheckBox) {
        highlightFeatures = featuresCheckBox->isChecked();
    }
}

void Interface::notify(VelmDrawable*) {}

void layoutCredits(Interface* theInterface, int width, int height) {
    if (theInterface == nullptr)
        return;
    const Interface& panel = *theInterface;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    float m, t;
    creditsBlock(panel, m, t);
    panel.creditsBackground->setLocationX(w * 0.5f - (m * 0.5f + margin));
    panel.creditsBackground->setLocationY(h * 0.5f - (t * 0.5f + margin));
    const float cw = panel.credits->getWidth(), bw = panel.byline->getWidth();
    panel.credits->setLocationX((w - m) * 0.5f + std::max(0.0f, (m - cw) * 0.5f));
    panel.credits->setLocationY((h - t) * 0.5f);
    panel.byline->setLocationX((w - m) * 0.5f + std::max(0.0f, (m - bw) * 0.5f));
    panel.byline->setLocationY((h - t) * 0.5f + margin + panel.credits->getHeight());
}

// The panel's colours, in the order the widget library takes them.
VelmPalette panelPalette() {
    VelmPalette palette = {
        {0.05f, 0.1f, 0.2f, 1.0f},   // background
        {0.1f, 0.2f, 0.2f, 1.0f},    // face
        {0.1f, 0.1f, 0.05f, 1.0f},   // shadow
        {0.2f, 0.2f, 0.3f, 1.0f},    // frame
        {0.8f, 0.8f, 0.8f, 1.0f},    // label
        {},                          // mark: the library's white
        {},                          // outline: the library's black
        {0.2f, 0.5f, 0.7f, 1.0f},    // accent
        {0.2f, 0.2f, 0.2f, 1.0f},    // disabled
    };
    for (int i = 0; i < 4; ++i) {
        palette.mark[i] = velmWhite[i];
        palette.outline[i] = velmBlack[i];
    }
    return palette;
}
