// VelmColorRect: a filled, blended rectangle.
#pragma once

#include "velmkit/velm_drawable.h"

// A rectangle of one colour, blended over what lies under it. Takes no events.
class VelmColorRect : public VelmDrawable {
public:
    VelmColorRect(VelmContext* context, float x, float y, float width, float height,
                  const float* rgba);

    void draw() override;
    void setColor(const float* rgba);
    const float* getColor() const { return colour; }

private:
    float colour[4];
};
