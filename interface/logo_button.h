// LogoButton: the maker's logo, reporting the pointer coming and going.
#pragma once

#include <GL/gl.h>

#include "velmkit/velm_drawable.h"

// A textured square that tells its responder once when the pointer comes
// onto it and once when it leaves. Takes no clicks, keys or drags.
class LogoButton : public VelmDrawable {
public:
    LogoButton(VelmContext* context, float x, float y, float width, float height, GLuint texture);

    void draw() override;
    bool keyDown(int32_t key) override;
    bool mouseDown(int32_t button, int32_t x, int32_t y) override;
    bool mouseUp(int32_t button, int32_t x, int32_t y) override;
    bool mouseMove(int32_t x, int32_t y) override;
    bool mouseDrag(int32_t x, int32_t y) override;

    GLuint texture;
    int hovering = 0;

private:
    void report();
};
