// The classroom panel: badge, notice and key help, built on first use.
#include "interface/classroom_panel.h"

#include <algorithm>
#include <iterator>

#include "interface/shadow_label.h"
#include "interface/translation.h"
#include "velmkit/velm.h"

namespace {
constexpr unsigned textSize = 14, titleSize = 18;
constexpr float margin = 10.0f, padding = 12.0f, columnGap = 24.0f;
constexpr float noticeFromTop = 84.0f;   // below the title and the check box
// Dark enough that the labels behind the box do not show through its text.
constexpr float boxColour[4] = {0, 0, 0, 0.85f};

// The panel whose notice the timer ends (one program, one panel).
ClassroomPanel* live = nullptr;

ShadowLabel* hiddenLabel(VelmContext* context, const char* text, unsigned size) {
    auto* label = new ShadowLabel(context, 0, 0, text, size, 0);
    label->setVisible(false);
    return label;
}

VelmColorRect* hiddenBox(VelmContext* context) {
    auto* box = new VelmColorRect(context, 0, 0, 0, 0, boxColour);
    box->setVisible(false);
    return box;
}
}  // namespace

ClassroomPanel::ClassroomPanel(VelmContext* ctx, bool quitListed)
    : context(ctx), listQuit(quitListed), width(ctx->getWidth()), height(ctx->getHeight()) {
    live = this;
}

ClassroomPanel::~ClassroomPanel() {
    if (live == this)
        live = nullptr;
}

void ClassroomPanel::buildBadge() {
    if (badge == nullptr)
        badge = hiddenLabel(context, tr("Paused"), textSize);
}

void ClassroomPanel::buildNotice() {
    if (noticeBox != nullptr)
        return;
    noticeBox = hiddenBox(context);
    noticeLabel = hiddenLabel(context, "", textSize);
}

void ClassroomPanel::buildHelp() {
    if (helpBox != nullptr)
        return;
    helpBox = hiddenBox(context);
    helpTitle = hiddenLabel(context, tr("Keys"), titleSize);
    const std::pair<std::string, std::string> rows[] = {
        {std::string("Tab, ") + tr("Space"), tr("tick or clear \"Highlighted Features\"")},
        {"P", tr("pause and resume")},
        {std::string("F11, Alt+") + tr("Enter"), tr("full screen, and back")},
        {"\u2192, N", tr("the next feature, with what it is")},
        {"\u2190, B", tr("the feature before")},
        {tr("Escape"), tr("leave the features' tour, or full screen")},
        {"F12", tr("save a picture of the window")},
        {"F1, ?", tr("show or hide these keys")},
        {std::string(tr("Control")) + "+Q", tr("quit")},
    };
    // The actions take what the keys leave of the window's width, each
    // wrapped there, its key on its first line.
    VelmFont& font = *context->getDefaultFont();
    font.FaceSize(textSize);
    float keysWidth = 0;
    const size_t rowCount = std::size(rows) - (listQuit ? 0 : 1);   // Control+Q comes last
    for (size_t i = 0; i < rowCount; ++i)
        keysWidth = std::max(keysWidth, font.Advance(rows[i].first.c_str()));
    const float actionsWidth = static_cast<float>(width) - 2 * (margin + padding) - keysWidth - columnGap;
    std::string keys, actions;
    for (size_t i = 0; i < rowCount; ++i) {
        const auto& row = rows[i];
        const std::string action = velmWrapText(font, textSize, row.second, actionsWidth);
        const std::string separator = keys.empty() ? "" : "\n";
        keys += separator + row.first + std::string(std::count(action.begin(), action.end(), '\n'), '\n');
        actions += separator + action;
    }
    helpKeys = hiddenLabel(context, keys.c_str(), textSize);
    helpActions = hiddenLabel(context, actions.c_str(), textSize);
}

void ClassroomPanel::setPaused(bool paused) {
    if (!paused && badge == nullptr)
        return;
    buildBadge();
    badge->setVisible(paused);
    layout(width, height);
}

bool ClassroomPanel::pausedShown() const { return badge != nullptr && badge->isVisible(); }

void ClassroomPanel::showNotice(const std::string& text, uint32_t milliseconds) {
    buildNotice();
    notice = text;
    // Within the window, a long folder's name wrapped.
    const float room = static_cast<float>(width) - 2 * (margin + padding);
    noticeLabel->setText(velmWrapText(*context->getDefaultFont(), textSize, text, room).c_str());
    noticeLabel->setVisible(true);
    noticeBox->setVisible(true);
    layout(width, height);
    ++noticeSerial;   // ends any timer of an earlier notice
    if (milliseconds > 0)
        velmRequestTimer(milliseconds, &ClassroomPanel::noticeOver, noticeSerial);
}

bool ClassroomPanel::noticeShown() const { return noticeBox != nullptr && noticeBox->isVisible(); }

void ClassroomPanel::noticeOver(int32_t serial) {
    // A later notice has a timer of its own.
    if (live == nullptr || serial != live->noticeSerial || live->noticeBox == nullptr)
        return;
    live->noticeBox->setVisible(false);
    live->noticeLabel->setVisible(false);
}

void ClassroomPanel::toggleHelp() {
    buildHelp();
    const bool show = !helpBox->isVisible();
    for (VelmDrawable* d : {static_cast<VelmDrawable*>(helpBox), static_cast<VelmDrawable*>(helpTitle),
                            static_cast<VelmDrawable*>(helpKeys), static_cast<VelmDrawable*>(helpActions)})
        d->setVisible(show);
    layout(width, height);
}

bool ClassroomPanel::helpShown() const { return helpBox != nullptr && helpBox->isVisible(); }

void ClassroomPanel::layout(int w, int h) {
    width = w;
    height = h;
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    if (badge != nullptr) {
        badge->setLocationX(fw - badge->getWidth() - margin);
        badge->setLocationY(fh - badge->getHeight() - margin);
    }
    if (noticeBox != nullptr) {
        const float bw = noticeLabel->getWidth() + 2 * padding, bh = noticeLabel->getHeight() + padding;
        noticeBox->setWidth(bw);
        noticeBox->setHeight(bh);
        noticeBox->setLocationX((fw - bw) / 2);
        noticeBox->setLocationY(fh - bh - noticeFromTop);
        noticeLabel->setLocationX((fw - noticeLabel->getWidth()) / 2);
        noticeLabel->setLocationY(fh - bh - noticeFromTop + padding / 2);
    }
    if (helpBox != nullptr) {
        const float columns = helpKeys->getWidth() + columnGap + helpActions->getWidth();
        const float bw = std::max(columns, helpTitle->getWidth()) + 2 * padding;
        const float bh = helpTitle->getHeight() + padding + helpKeys->getHeight() + 2 * padding;
        const float left = (fw - bw) / 2, bottom = (fh - bh) / 2;
        helpBox->setLocationX(left);
        helpBox->setLocationY(bottom);
        helpBox->setWidth(bw);
        helpBox->setHeight(bh);
        helpTitle->setLocationX(left + padding);
        helpTitle->setLocationY(bottom + bh - padding - helpTitle->getHeight());
        helpKeys->setLocationX(left + padding);
        helpKeys->setLocationY(bottom + padding);
        helpActions->setLocationX(left + padding + helpKeys->getWidth() + columnGap);
        helpActions->setLocationY(bottom + padding);
    }
}
