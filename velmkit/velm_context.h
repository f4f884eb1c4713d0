// VelmContext: owns the drawables of one window, draws them and routes events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class VelmDrawable;
class VelmFont;

// The colours a context hands its widgets, RGBA.
struct VelmPalette {
    float background[4];   // fill of panels and of a check box's face
    float face[4];         // check box face while the pointer is over it
    float shadow[4];       // bevel shadow under boxes
    float frame[4];        // frame of boxes
    float label[4];        // default text colour of labels and captions
    float mark[4];         // the check mark
    float outline[4];      // dark outline around boxes and the focus ring's gap
    float accent[4];       // focus ring and the short flash of a pressed box
    float disabled[4];     // text and marks of disabled widgets
};

// One window's widgets. Coordinates are window pixels, origin lower left.
//
// Events: moves and drags reach every drawable (each decides what the point
// means to it); presses, wheel turns and clicks reach the topmost visible,
// enabled drawable under the pointer; a release goes to the drawable that took
// the press, so a widget can tell a click from a press dragged away; keys go
// to the drawable with the keyboard focus, and Tab / Shift+Tab move the focus.
class VelmContext {
public:
    // fontFile is the default font of every text (found as VelmFont finds
    // files); showBounds draws every drawable's rectangle, an aid for laying
    // out panels.
    VelmContext(int width, int height, const char* fontFile, const VelmPalette& palette,
                bool showBounds = false);
    ~VelmContext();
    VelmContext(const VelmContext&) = delete;
    VelmContext& operator=(const VelmContext&) = delete;

    // New size of the window: re-applies every drawable's dependent dimensions.
    void resize(int width, int height);
    // Orthographic 0..width by 0..height in the projection matrix, identity
    // modelview; leaves the modelview matrix current.
    void resetView();
    // Draws the visible drawables in order of construction; clears the
    // redraw-request flag.
    void draw();

    // Events at window pixel (x, y); keys carry the pointer's position.
    void keyDown(int32_t key, int32_t x, int32_t y);
    void keyUp(int32_t key, int32_t x, int32_t y);
    void mouseDown(int32_t button, int32_t x, int32_t y);
    void mouseUp(int32_t button, int32_t x, int32_t y);
    void scrollWheel(int32_t direction, int32_t x, int32_t y);
    void mouseMove(int32_t x, int32_t y);
    void mouseDrag(int32_t x, int32_t y);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    VelmFont* getDefaultFont() const { return defaultFont; }
    const VelmPalette& getPalette() const { return palette; }
    const std::vector<VelmDrawable*>& getDrawables() const { return drawables; }

    VelmDrawable* getFocus() const { return focus; }
    // Gives the keyboard focus to drawable (null clears it); only drawables
    // that take the focus can have it.
    void setFocus(VelmDrawable* drawable);

    // Set by drawables whose look changed; cleared by draw().
    bool redrawRequested = false;

private:
    friend class VelmDrawable;
    void add(VelmDrawable* drawable);
    void forget(VelmDrawable* drawable);
    VelmDrawable* topmostAt(int32_t x, int32_t y) const;
    void moveFocus(bool backwards);

    int width, height;
    VelmFont* defaultFont;
    VelmPalette palette;
    bool showBounds;
    std::vector<VelmDrawable*> drawables;
    uint32_t nextOrder = 0;
    VelmDrawable* focus = nullptr;
    VelmDrawable* pressed = nullptr;
    bool destroying = false;
};
