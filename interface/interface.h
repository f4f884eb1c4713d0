// The on-screen panel: title, check box, maker's logo and name, address, credits.
#pragma once

#include "velmkit/velm_drawable.h"

class ShadowLabel;
class LogoButton;
class VelmColorRect;
class VelmCheckBox;
class VelmLabel;

struct Interface : public VelmResponder {
    Interface();

    void respond(VelmDrawable* sender) override;
    void notify(VelmDrawable* sender) override;

    ShadowLabel* title;
    ShadowLabel* makerName;
    LogoButton* logo;
    VelmColorRect* creditsBackground;
    ShadowLabel* byline;
    ShadowLabel* credits;
    bool creditsVisible;
    ShadowLabel* address;
    VelmCheckBox* featuresCheckBox;
    VelmLabel* featuresShadow;
};

extern Interface* theInterface;
// The state of the "Highlighted Features" check box.
extern bool highlightFeatures;

// Centres the credits box and its texts in a window of width by height.
void layoutCredits(int width, int height);

// The panel's texts.
constexpr const char* titleText = "Corvane zones";
constexpr const char* makerNameText = "uorlin";
constexpr const char* bylineText = "Corvane Zone by Quorlin";
constexpr const char* creditsText =
    "Programming and Implementation: Tovi Reskar\n"
    "Artwork: Ardo Venn\n"
    "Content and Concept: Lise Okwari";
constexpr const char* addressText = "www.quorlin.example";
constexpr const char* featuresText = "Highlighted Features";
