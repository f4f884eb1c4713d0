// VelmContext: registration, drawing order and event routing.
#include "velmkit/velm_context.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "velmkit/velm_base.h"
#include "velmkit/velm_drawable.h"
#include "velmkit/velm_font.h"

VelmContext::VelmContext(int w, int h, const char* fontFile, const VelmPalette& colours, bool bounds)
    : width(w), height(h), defaultFont(new VelmFont(fontFile)), palette(colours), showBounds(bounds) {}

VelmContext::~VelmContext() {
    destroying = true;
    // Newest first, so that no drawable outlives one built before it.
    for (auto it = drawables.rbegin(); it != drawables.rend(); ++it) {
        (*it)->context = nullptr;
        delete *it;
    }
    drawables.clear();
    delete defaultFont;
}

void VelmContext::add(VelmDrawable* drawable) {
    drawable->order = nextOrder++;
    drawables.push_back(drawable);
}

void VelmContext::forget(VelmDrawable* drawable) {
    if (destroying)
        return;
    drawables.erase(std::remove(drawables.begin(), drawables.end(), drawable), drawables.end());
    if (focus == drawable)
        focus = nullptr;
    if (pressed == drawable)
        pressed = nullptr;
}

void VelmContext::resize(int w, int h) {
    width = w;
    height = h;
    for (VelmDrawable* drawable : drawables)
        drawable->applyDependentDimensions(static_cast<float>(w), static_cast<float>(h));
    redrawRequested = true;
}

void VelmContext::resetView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void VelmContext::draw() {
    for (VelmDrawable* drawable : drawables) {
        if (!drawable->isVisible())
            continue;
        drawable->draw();
        if (showBounds) {
            glDisable(GL_TEXTURE_2D);
            glColor4fv(palette.accent);
            glBegin(GL_LINE_LOOP);
            const float x = drawable->getLocationX(), y = drawable->getLocationY();
            glVertex2f(x + 0.5f, y + 0.5f);
            glVertex2f(x + drawable->getWidth() - 0.5f, y + 0.5f);
            glVertex2f(x + drawable->getWidth() - 0.5f, y + drawable->getHeight() - 0.5f);
            glVertex2f(x + 0.5f, y + drawable->getHeight() - 0.5f);
            glEnd();
        }
    }
    redrawRequested = false;
}

VelmDrawable* VelmContext::topmostAt(int32_t x, int32_t y) const {
    for (auto it = drawables.rbegin(); it != drawables.rend(); ++it) {
        VelmDrawable* d = *it;
        if (d->isVisible() && d->isEnabled() &&
            velmInBounds(x, y, d->getLocationX(), d->getLocationY(), d->getWidth(), d->getHeight()))
            return d;
    }
    return nullptr;
}

void VelmContext::setFocus(VelmDrawable* drawable) {
    if (drawable != nullptr && !drawable->takesFocus())
        return;
    if (focus != drawable) {
        focus = drawable;
        redrawRequested = true;
    }
}

void VelmContext::moveFocus(bool backwards) {
    std::vector<VelmDrawable*> ring;
    for (VelmDrawable* d : drawables)
        if (d->takesFocus() && d->isVisible() && d->isEnabled())
            ring.push_back(d);
    if (ring.empty())
        return;
    // Drawables with a tab index come first, by index; the rest keep their order.
    std::stable_sort(ring.begin(), ring.end(), [](VelmDrawable* a, VelmDrawable* b) {
        const auto key = [](VelmDrawable* d) {
            return d->getTabIndex() < 0 ? INT64_MAX : static_cast<int64_t>(d->getTabIndex());
        };
        return key(a) < key(b);
    });
    // An explicit tab chain wins over the order of construction.
    VelmDrawable* chained = focus == nullptr ? nullptr
                            : backwards      ? focus->getLastTab()
                                             : focus->getNextTab();
    if (chained != nullptr && std::find(ring.begin(), ring.end(), chained) != ring.end()) {
        setFocus(chained);
        return;
    }
    auto at = std::find(ring.begin(), ring.end(), focus);
    size_t index;
    if (at == ring.end())
        index = backwards ? ring.size() - 1 : 0;
    else if (backwards)
        index = (at - ring.begin() + ring.size() - 1) % ring.size();
    else
        index = (at - ring.begin() + 1) % ring.size();
    setFocus(ring[index]);
}

void VelmContext::keyDown(int32_t key, int32_t, int32_t) {
    if (focus != nullptr && focus->isVisible() && focus->isEnabled() && focus->keyDown(key))
        return;
    if (key == velmKeyTab)
        moveFocus((velmModifiers() & velmModShift) != 0);
}

void VelmContext::keyUp(int32_t key, int32_t, int32_t) {
    if (focus != nullptr && focus->isVisible() && focus->isEnabled())
        focus->keyUp(key);
}

void VelmContext::mouseDown(int32_t button, int32_t x, int32_t y) {
    VelmDrawable* target = topmostAt(x, y);
    setFocus(target != nullptr && target->takesFocus() ? target : nullptr);
    pressed = nullptr;
    if (target != nullptr && target->mouseDown(button, x, y))
        pressed = target;
}

void VelmContext::mouseUp(int32_t button, int32_t x, int32_t y) {
    VelmDrawable* target = pressed != nullptr ? pressed : topmostAt(x, y);
    pressed = nullptr;
    if (target != nullptr)
        target->mouseUp(button, x, y);
}

void VelmContext::scrollWheel(int32_t direction, int32_t x, int32_t y) {
    if (VelmDrawable* target = topmostAt(x, y))
        target->scrollWheel(direction, x, y);
}

void VelmContext::mouseMove(int32_t x, int32_t y) {
    // A copy: a handler may add drawables.
    const std::vector<VelmDrawable*> all = drawables;
    for (VelmDrawable* d : all)
        d->mouseMove(x, y);
}

void VelmContext::mouseDrag(int32_t x, int32_t y) {
    const std::vector<VelmDrawable*> all = drawables;
    for (VelmDrawable* d : all)
        d->mouseDrag(x, y);
}
