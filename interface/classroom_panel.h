// What the classroom keys show over the scene: a "Paused" badge, a short
// notice, and the help listing every key. Nothing of it exists until it is
// first shown, so a program that never uses these keys is unchanged.
#pragma once

#include <cstdint>
#include <string>

class VelmContext;
class VelmColorRect;
class ShadowLabel;

class ClassroomPanel {
public:
    // listQuit: whether the help lists Control+Q (a web page cannot quit).
    explicit ClassroomPanel(VelmContext* context, bool listQuit = true);
    ~ClassroomPanel();
    ClassroomPanel(const ClassroomPanel&) = delete;
    ClassroomPanel& operator=(const ClassroomPanel&) = delete;

    void setPaused(bool paused);
    bool pausedShown() const;
    // Shows text at the top of the window for noticeSeconds (through the
    // host's timer), replacing any notice before it.
    void showNotice(const std::string& text);
    bool noticeShown() const;
    const std::string& noticeText() const { return notice; }
    void toggleHelp();
    bool helpShown() const;
    // Places everything for a window of width by height.
    void layout(int width, int height);

    static constexpr uint32_t noticeMilliseconds = 5000;

private:
    void buildBadge();
    void buildNotice();
    void buildHelp();
    static void noticeOver(int32_t serial);

    VelmContext* context;
    bool listQuit;
    ShadowLabel* badge = nullptr;
    VelmColorRect* noticeBox = nullptr;
    ShadowLabel* noticeLabel = nullptr;
    VelmColorRect* helpBox = nullptr;
    ShadowLabel* helpTitle = nullptr;
    ShadowLabel* helpKeys = nullptr;
    ShadowLabel* helpActions = nullptr;
    std::string notice;
    int32_t noticeSerial = 0;
    int width = 0, height = 0;
};
