// Fitting the 640 by 480 design into a drawing area.
#include "render/design_view.h"

#include <algorithm>
#include <cmath>

DesignView fitDesign(int32_t width, int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    DesignView view;
    // The side that runs out first sets the scale; the other gets bars.
    if (static_cast<int64_t>(width) * designHeight >= static_cast<int64_t>(height) * designWidth) {
        view.height = height;
        view.width = std::max(1, static_cast<int32_t>(std::lround(height * (double(designWidth) / designHeight))));
        view.scale = static_cast<float>(double(height) / designHeight);
    } else {
        view.width = width;
        view.height = std::max(1, static_cast<int32_t>(std::lround(width * (double(designHeight) / designWidth))));
        view.scale = static_cast<float>(double(width) / designWidth);
    }
    view.left = (width - view.width) / 2;
    view.bottom = (height - view.height) / 2;
    return view;
}

bool toDesign(const DesignView& view, int32_t x, int32_t y, int32_t& designX, int32_t& designY) {
    const double column = double(x - view.left) * designWidth / view.width;
    const double row = double(y - view.bottom) * designHeight / view.height;
    designX = static_cast<int32_t>(std::floor(column));
    designY = static_cast<int32_t>(std::ceil(row));
    return x >= view.left && x < view.left + view.width && y > view.bottom && y <= view.bottom + view.height;
}
