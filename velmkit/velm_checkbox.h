// VelmCheckBox: a box with a caption that the user ticks and unticks.
#pragma once

#include "velmkit/velm_label.h"

// A square box, one caption line high, followed by its caption. The caption
// starts (box side + font descender + 10) pixels right of the left edge.
//
// A left click (press and release inside) toggles it, as does Space while it
// has the keyboard focus (Tab gives it the focus). After each change it calls
// its responder's respond() with itself. It lights up under the pointer and
// flashes briefly when toggled (through the host's timer).
class VelmCheckBox : public VelmLabel {
public:
    // tabIndex: place in the Tab order, -1 to follow the order of construction.
    VelmCheckBox(VelmContext* context, float x, float y, const char* caption, unsigned fontSize,
                 int tabIndex);
    ~VelmCheckBox() override;

    void draw() override;
    bool keyDown(int32_t key) override;
    bool mouseDown(int32_t button, int32_t x, int32_t y) override;
    bool mouseUp(int32_t button, int32_t x, int32_t y) override;
    bool mouseMove(int32_t x, int32_t y) override;
    bool mouseDrag(int32_t x, int32_t y) override;

    bool isChecked() const { return checked; }
    // Sets the state without reporting it.
    void setChecked(bool value);
    // Flips the state as a click does, and reports it.
    void toggle();

    bool isHovering() const { return hovering; }
    bool isFlashing() const { return flashing; }
    // Side of the box in pixels (the caption's line height).
    float boxSize() const { return lineHeight; }
    // Where the caption starts, from the box's left edge.
    float captionOffset() const;

    // How long the flash after a toggle lasts.
    static constexpr uint32_t flashMilliseconds = 150;

protected:
    void calculateHeightAndWidth() override;

private:
    static void endFlash(int32_t id);

    bool checked = false;
    bool hovering = false;
    bool armed = false;     // pressed inside, waiting for the release
    bool flashing = false;
    int32_t id;             // this box's key for the flash timer
};
