// The on-screen panel: title, check box, maker's logo and name, address, credits.
#pragma once

#include <GL/gl.h>

#include "interface/translation.h"
#include "velmkit/velm_drawable.h"

struct VelmPalette;

class VelmContext;
class ShadowLabel;
class LogoButton;
class VelmColorRect;
class VelmCheckBox;
class VelmLabel;

// The panel: its widgets live on the context it is built on, which owns
// and frees them; the panel itself frees nothing.
struct Interface : public VelmResponder {
    // Builds the panel's widgets on guiContext, the logo with logoTexture.
    Interface(VelmContext* guiContext, GLuint logoTexture);

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
    // The state of the "Highlighted Features" check box: whether a frame
    // shows the features picture.
    bool highlightFeatures = false;
};

// The panel's colours, for the widget context it is built on.
VelmPalette panelPalette();

// Centres the panel's credits box and its texts in a window of width by
// height; nothing without a panel.
void layoutCredits(Interface* theInterface, int width, int height);

// The panel's texts, in English; those a learner reads go through the
// catalog. The maker's name and address stay as they are.
constexpr const char* titleText = N_("Corvane zones");
constexpr const char* makerNameText = "uorlin";
constexpr const char* bylineText = N_("Corvane Zone by Quorlin");
constexpr const char* creditsText =
    N_("Programming and Implementation: Tovi Reskar\n"
       "Artwork: Ardo Venn\n"
       "Content and Concept: Lise Okwari");
constexpr const char* addressText = "www.quorlin.example";
constexpr const char* featuresText = N_("Highlighted Features");
