// VelmDrawable: the base widget's defaults.
#include "velmkit/velm_drawable.h"

#include "velmkit/velm_base.h"
#include "velmkit/velm_context.h"

VelmDrawable::VelmDrawable(VelmContext* ctx, float x0, float y0, float w, float h)
    : context(ctx), x(x0), y(y0), width(w), height(h), order(0) {
    if (context != nullptr)
        context->add(this);
}

VelmDrawable::~VelmDrawable() {
    if (context != nullptr)
        context->forget(this);
}

void VelmDrawable::draw() {}
float VelmDrawable::getLocationX() const { return x; }
float VelmDrawable::getLocationY() const { return y; }
float VelmDrawable::getWidth() const { return width; }
float VelmDrawable::getHeight() const { return height; }
void VelmDrawable::setLocationX(float value) { x = value; }
void VelmDrawable::setLocationY(float value) { y = value; }
void VelmDrawable::setWidth(float value) { width = value; }
void VelmDrawable::setHeight(float value) { height = value; }
bool VelmDrawable::keyDown(int32_t) { return false; }
bool VelmDrawable::keyUp(int32_t) { return false; }
bool VelmDrawable::mouseDown(int32_t, int32_t, int32_t) { return false; }
bool VelmDrawable::mouseUp(int32_t, int32_t, int32_t) { return false; }
bool VelmDrawable::mouseMove(int32_t, int32_t) { return false; }
bool VelmDrawable::mouseDrag(int32_t, int32_t) { return false; }
bool VelmDrawable::scrollWheel(int32_t, int32_t, int32_t) { return false; }
bool VelmDrawable::isEnabled() const { return enabled; }
bool VelmDrawable::isVisible() const { return visible; }
VelmResponder* VelmDrawable::getResponder() const { return responder; }
void VelmDrawable::setResponder(VelmResponder* value) { responder = value; }
VelmDrawable* VelmDrawable::getLastTab() const { return lastTab; }
void VelmDrawable::setLastTab(VelmDrawable* value) { lastTab = value; }
VelmDrawable* VelmDrawable::getNextTab() const { return nextTab; }
void VelmDrawable::setNextTab(VelmDrawable* value) { nextTab = value; }
void VelmDrawable::fontReset() {}

void VelmDrawable::setEnabled(bool value) {
    if (enabled == value)
        return;
    enabled = value;
    if (!enabled && hasFocus())
        context->setFocus(nullptr);
    requestRedraw();
}

void VelmDrawable::setVisible(bool value) {
    if (visible == value)
        return;
    visible = value;
    if (!visible && hasFocus())
        context->setFocus(nullptr);
    requestRedraw();
}

bool VelmDrawable::operator>(const VelmDrawable& other) const { return order > other.order; }
bool VelmDrawable::operator==(const VelmDrawable& other) const { return this == &other; }

void VelmDrawable::setDependentDimensions(float fromRight, float fromTop, float right, float top) {
    dependentRight = fromRight;
    dependentTop = fromTop;
    stretchRight = right;
    stretchTop = top;
    if (context != nullptr)
        applyDependentDimensions(static_cast<float>(context->getWidth()),
                                 static_cast<float>(context->getHeight()));
}

void VelmDrawable::applyDependentDimensions(float contextWidth, float contextHeight) {
    if (dependentRight != 0)
        setLocationX(contextWidth - dependentRight);
    if (dependentTop != 0)
        setLocationY(contextHeight - dependentTop);
    if (stretchRight != 0)
        setWidth(contextWidth - stretchRight - getLocationX());
    if (stretchTop != 0)
        setHeight(contextHeight - stretchTop - getLocationY());
}

bool VelmDrawable::hasFocus() const { return context != nullptr && context->getFocus() == this; }

void VelmDrawable::requestRedraw() {
    if (context != nullptr)
        context->redrawRequested = true;
    velmSendHook(velmHookRedraw);
}
