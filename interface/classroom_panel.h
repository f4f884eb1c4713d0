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

    static constexpr uint32_t noticeMilliseconds = 5000;

    void setPaused(bool paused);
    bool pausedShown() const;
    // Shows text at the top of the window for milliseconds (through the
    // host's timer; 0: until the next notice), replacing any notice before it.
    void showNotice(const std::string& text, uint32_t milliseconds = noticeMilliseconds);
    bool noticeShown() const;
    const std::string& noticeText() const { return notice; }
    void toggleHelp();
    bool helpShown() const;
    // Places everything for a window of width by height.
    void layout(int width, int height);

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
