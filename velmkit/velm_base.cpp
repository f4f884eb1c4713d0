// velmkit basics: host callbacks, colours, bounds test and text cutting.
#include "velmkit/velm_base.h"

#include <cstddef>
#include <vector>

namespace {
VelmAddTimer hostAddTimer = nullptr;
VelmHook hostHook = nullptr;
VelmModifierQuery hostModifiers = nullptr;
float pixelScale = 1.0f;
}  // namespace

const float velmWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float velmBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void velmInit(VelmAddTimer addTimer, VelmHook hook, VelmModifierQuery modifiers) {
    hostAddTimer = addTimer;
    hostHook = hook;
    hostModifiers = modifiers;
}

void velmRequestTimer(uint32_t ms, VelmTimerFunc func, int32_t value) {
    if (hostAddTimer != nullptr && func != nullptr)
        hostAddTimer(ms, func, value);
}

void velmSendHook(int32_t code) {
    if (hostHook != nullptr)
        hostHook(code);
}

int32_t velmModifiers() { return hostModifiers != nullptr ? hostModifiers() : 0; }

void velmSetPixelScale(float scale) { pixelScale = scale > 0.0f ? scale : 1.0f; }
float velmPixelScale() { return pixelScale; }

bool velmInBounds(int32_t x, int32_t y, float left, float bottom, float width, float height) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return fx >= left && fx < left + width && fy >= bottom && fy < bottom + height;
}

namespace {
// Replaces the old array with the collected indices (null when none).
void storeBreaks(const std::vector<unsigned>& found, int& count, unsigned*& breaks) {
    delete[] breaks;
    breaks = nullptr;
    count = static_cast<int>(found.size());
    if (!found.empty()) {
        breaks = new unsigned[found.size()];
        for (size_t i = 0; i < found.size(); ++i)
            breaks[i] = found[i];
    }
}
}  // namespace

void velmFormatText(char* text, int& lineCount, unsigned*& lineBreaks, int& tabCount,
                    unsigned*& tabBreaks) {
    std::vector<unsigned> lines, tabs;
    if (text != nullptr) {
        for (unsigned i = 0; text[i] != '\0'; ++i) {
            if (text[i] == '\n')
                lines.push_back(i);
            else if (text[i] == '\t')
                tabs.push_back(i);
        }
        // Cut only after scanning: a zero byte written early would end the scan.
        for (unsigned i : lines)
            text[i] = '\0';
        for (unsigned i : tabs)
            text[i] = '\0';
    }
    storeBreaks(lines, lineCount, lineBreaks);
    storeBreaks(tabs, tabCount, tabBreaks);
}
