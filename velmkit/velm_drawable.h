// VelmDrawable and VelmResponder: the base of every widget and of whoever
// listens to widgets.
#pragma once

#include <cstdint>

class VelmContext;
class VelmDrawable;

// Receives reports from drawables: respond() when a widget's state changed
// because of the user, notify() for lesser news (the widget says which).
class VelmResponder {
public:
    virtual void respond(VelmDrawable* sender) = 0;
    virtual void notify(VelmDrawable* sender) = 0;
    virtual ~VelmResponder() = default;
};

// Something drawn on a context, with a rectangle in window pixels (origin at
// the lower left, y up). It registers with its context on construction; the
// context draws it, offers it events and deletes it.
//
// Event handlers answer true when they took the event.
class VelmDrawable {
public:
    VelmDrawable(VelmContext* context, float x, float y, float width, float height);

    virtual void draw();
    virtual float getLocationX() const;
    virtual float getLocationY() const;
    virtual float getWidth() const;
    virtual float getHeight() const;
    virtual void setLocationX(float x);
    virtual void setLocationY(float y);
    virtual void setWidth(float width);
    virtual void setHeight(float height);
    virtual bool keyDown(int32_t key);
    virtual bool keyUp(int32_t key);
    virtual bool mouseDown(int32_t button, int32_t x, int32_t y);
    virtual bool mouseUp(int32_t button, int32_t x, int32_t y);
    virtual bool mouseMove(int32_t x, int32_t y);
    virtual bool mouseDrag(int32_t x, int32_t y);
    virtual bool scrollWheel(int32_t direction, int32_t x, int32_t y);
    virtual bool isEnabled() const;
    virtual void setEnabled(bool enabled);
    virtual bool isVisible() const;
    virtual void setVisible(bool visible);
    virtual VelmResponder* getResponder() const;
    virtual void setResponder(VelmResponder* responder);
    virtual VelmDrawable* getLastTab() const;
    virtual void setLastTab(VelmDrawable* drawable);
    virtual VelmDrawable* getNextTab() const;
    virtual void setNextTab(VelmDrawable* drawable);
    // Called when the context's default font changed: re-measure.
    virtual void fontReset();
    // Drawing order: a > b when a is drawn over b.
    virtual bool operator>(const VelmDrawable& other) const;
    virtual bool operator==(const VelmDrawable& other) const;
    virtual ~VelmDrawable();

    // Keeps the drawable's place relative to the context's edges, now and at
    // every resize: a non-zero fromRight keeps x at width - fromRight, a
    // non-zero fromTop keeps y at height - fromTop; a non-zero stretchRight or
    // stretchTop keeps that many pixels between the drawable's right or top
    // edge and the context's, by changing its width or height.
    void setDependentDimensions(float fromRight, float fromTop, float stretchRight, float stretchTop);
    // Applies the dependent dimensions for a context of width by height.
    void applyDependentDimensions(float contextWidth, float contextHeight);

    // True for drawables that take the keyboard focus (Tab moves between them).
    bool takesFocus() const { return focusable; }
    int32_t getTabIndex() const { return tabIndex; }
    bool hasFocus() const;
    VelmContext* getContext() const { return context; }
    // Asks the context to draw again (sets its redraw-request flag).
    void requestRedraw();

protected:
    VelmContext* context;
    float x, y, width, height;
    bool visible = true;
    bool enabled = true;
    bool focusable = false;
    int32_t tabIndex = -1;   // place in the Tab order; -1 follows construction order
    VelmResponder* responder = nullptr;
    VelmDrawable* lastTab = nullptr;
    VelmDrawable* nextTab = nullptr;
    float dependentRight = 0, dependentTop = 0, stretchRight = 0, stretchTop = 0;
    uint32_t order;   // position in the context's drawing order

    friend class VelmContext;
};
