// VelmCheckBox: drawing, clicks, keyboard access and the toggle flash.
#include "velmkit/velm_checkbox.h"

#include <GL/gl.h>

#include <cmath>
#include <map>

#include "velmkit/velm_base.h"
#include "velmkit/velm_context.h"
#include "velmkit/velm_font.h"

namespace {
constexpr float captionGap = 10.0f;   // pixels between the box and its caption
constexpr float markWidth = 2.0f;     // line width of the tick
constexpr float boxInset = 1.0f;      // the box is drawn this far inside its square

// Live boxes by id: a timer that fires after its box is gone finds nothing.
std::map<int32_t, VelmCheckBox*>& liveBoxes() {
    static std::map<int32_t, VelmCheckBox*> boxes;
    return boxes;
}
int32_t nextBoxId = 1;

void fillRect(float x0, float y0, float x1, float y1, const float* colour) {
    glColor4fv(colour);
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

void frameRect(float x0, float y0, float x1, float y1, const float* colour) {
    glColor4fv(colour);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x0 + 0.5f, y0 + 0.5f);
    glVertex2f(x1 - 0.5f, y0 + 0.5f);
    glVertex2f(x1 - 0.5f, y1 - 0.5f);
    glVertex2f(x0 + 0.5f, y1 - 0.5f);
    glEnd();
}
}  // namespace

VelmCheckBox::VelmCheckBox(VelmContext* ctx, float x0, float y0, const char* caption,
                           unsigned size, int index)
    : VelmLabel(ctx, x0, y0, caption, size, 0), id(nextBoxId++) {
    focusable = true;
    tabIndex = index;
    liveBoxes()[id] = this;
    calculateHeightAndWidth();
}

VelmCheckBox::~VelmCheckBox() { liveBoxes().erase(id); }

float VelmCheckBox::captionOffset() const {
    VelmFont* f = activeFont();
    const float descender = f != nullptr && f->FaceSize(fontSize) ? f->Descender() : 0.0f;
    return lineHeight + descender + captionGap;
}

void VelmCheckBox::calculateHeightAndWidth() {
    VelmLabel::calculateHeightAndWidth();
    const float captionWidth = width;
    height = lineHeight;
    width = captionOffset() + captionWidth;
}

void VelmCheckBox::setChecked(bool value) {
    if (checked != value) {
        checked = value;
        requestRedraw();
    }
}

void VelmCheckBox::toggle() {
    checked = !checked;
    flashing = true;
    velmRequestTimer(flashMilliseconds, &VelmCheckBox::endFlash, id);
    requestRedraw();
    if (responder != nullptr)
        responder->respond(this);
}

void VelmCheckBox::endFlash(int32_t boxId) {
    auto it = liveBoxes().find(boxId);
    if (it != liveBoxes().end() && it->second->flashing) {
        it->second->flashing = false;
        it->second->requestRedraw();
    }
}

bool VelmCheckBox::keyDown(int32_t key) {
    if (!visible || !enabled || key != velmKeySpace)
        return false;
    toggle();
    return true;
}

bool VelmCheckBox::mouseDown(int32_t button, int32_t px, int32_t py) {
    if (!visible || !enabled || button != velmButtonLeft || !velmInBounds(px, py, x, y, width, height))
        return false;
    armed = true;
    requestRedraw();
    return true;
}

bool VelmCheckBox::mouseUp(int32_t button, int32_t px, int32_t py) {
    if (button != velmButtonLeft || !armed)
        return false;
    armed = false;
    requestRedraw();
    if (visible && enabled && velmInBounds(px, py, x, y, width, height))
        toggle();
    return true;
}

bool VelmCheckBox::mouseMove(int32_t px, int32_t py) {
    const bool inside = visible && enabled && velmInBounds(px, py, x, y, width, height);
    if (inside != hovering) {
        hovering = inside;
        requestRedraw();
    }
    return inside;
}

bool VelmCheckBox::mouseDrag(int32_t px, int32_t py) { return mouseMove(px, py); }

void VelmCheckBox::draw() {
    if (!visible)
        return;
    const VelmPalette& p = context->getPalette();
    const float side = std::floor(lineHeight);
    const float x0 = std::floor(x) + boxInset, y0 = std::floor(y) + boxInset;
    const float x1 = std::floor(x) + side - boxInset, y1 = std::floor(y) + side - boxInset;
    glDisable(GL_TEXTURE_2D);

    // Shadow, face, frame.
    fillRect(x0 + 1, y0 - 1, x1 + 1, y1 - 1, p.shadow);
    const float* faceColour = flashing || (armed && hovering) ? p.accent
                              : hovering && enabled         ? p.face
                                                            : p.background;
    fillRect(x0, y0, x1, y1, faceColour);
    frameRect(x0, y0, x1, y1, p.outline);
    frameRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, enabled ? p.frame : p.disabled);
    if (hasFocus())
        frameRect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, p.accent);

    if (checked) {
        // A tick from the left middle down to the lower third and up to the right.
        const float w = x1 - x0, h = y1 - y0;
        glLineWidth(markWidth * velmPixelScale());
        glColor4fv(enabled ? p.mark : p.disabled);
        glBegin(GL_LINE_STRIP);
        glVertex2f(x0 + 0.22f * w, y0 + 0.52f * h);
        glVertex2f(x0 + 0.42f * w, y0 + 0.25f * h);
        glVertex2f(x0 + 0.80f * w, y0 + 0.80f * h);
        glEnd();
        glLineWidth(1.0f);
    }

    // The caption, drawn as a label from its offset.
    const float boxX = x;
    x = boxX + captionOffset();
    VelmLabel::draw();
    x = boxX;
}
