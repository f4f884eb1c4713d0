// velmFormatText, velmInBounds and text sanitising: no GL needed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/recording.h"
#include "velmkit/velm.h"

namespace {
struct Cut {
    std::vector<std::string> segments;
    std::vector<unsigned> lines, tabs;
};

// Cuts text and reads the segments back the way a drawer does.
Cut cut(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    int lineCount = -1, tabCount = -1;
    unsigned* lineBreaks = nullptr;
    unsigned* tabBreaks = nullptr;
    velmFormatText(buffer.data(), lineCount, lineBreaks, tabCount, tabBreaks);
    Cut out;
    out.lines.assign(lineBreaks, lineBreaks + lineCount);
    out.tabs.assign(tabBreaks, tabBreaks + tabCount);
    std::vector<unsigned> starts{0};
    for (size_t i = 0; i < text.size(); ++i)
        if (buffer[i] == '\0')
            starts.push_back(static_cast<unsigned>(i + 1));
    for (unsigned s : starts)
        out.segments.push_back(buffer.data() + s);
    delete[] lineBreaks;
    delete[] tabBreaks;
    return out;
}
}  // namespace

// Line feeds and tabs cut the text into segments, an empty line into an
// empty one; no text gives no breaks and releases the arrays passed in.
TEST(VelmFormatText, CutsLineFeedsAndTabsIntoSegments) {
    const struct {
        const char* text;
        std::vector<unsigned> lines, tabs;
        std::vector<std::string> segments;
    } cases[] = {{"ab\ncd\tef\ng", {2, 8}, {5}, {"ab", "cd", "ef", "g"}},
                 {"a\n\nb\n", {1, 2, 4}, {}, {"a", "", "b", ""}},
                 {"Corvane zones", {}, {}, {"Corvane zones"}}};
    for (const auto& c : cases) {
        const Cut got = cut(c.text);
        EXPECT_EQ(got.lines, c.lines) << c.text;
        EXPECT_EQ(got.tabs, c.tabs) << c.text;
        EXPECT_EQ(got.segments, c.segments) << c.text;
    }
    int lines = 5, tabs = 5;
    unsigned* lineBreaks = new unsigned[3];
    unsigned* tabBreaks = nullptr;
    velmFormatText(nullptr, lines, lineBreaks, tabs, tabBreaks);
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(tabs, 0);
    EXPECT_EQ(lineBreaks, nullptr);
    EXPECT_EQ(tabBreaks, nullptr);
}

TEST(VelmInBounds, LeftAndBottomEdgesInsideRightAndTopOutside) {
    EXPECT_TRUE(velmInBounds(490, 20, 490, 20, 50, 50));
    EXPECT_TRUE(velmInBounds(539, 69, 490, 20, 50, 50));
    EXPECT_FALSE(velmInBounds(540, 40, 490, 20, 50, 50));
    EXPECT_FALSE(velmInBounds(500, 70, 490, 20, 50, 50));
    EXPECT_FALSE(velmInBounds(489, 40, 490, 20, 50, 50));
    EXPECT_FALSE(velmInBounds(0, 0, 0, 0, 0, 0));   // an empty rectangle holds nothing
}

TEST(VelmSanitizeText, KeepsValidUtf8AndReplacesBytesFtglCannotTake) {
    EXPECT_EQ(velmSanitizeText("plain"), "plain");
    EXPECT_EQ(velmSanitizeText("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(velmSanitizeText("a\xF8\xFF" "b"), "a??b");
    EXPECT_EQ(velmSanitizeText("\xC3"), "?");            // cut short
    EXPECT_EQ(velmSanitizeText("\xE2\x82x"), "??x");     // bad continuation
    EXPECT_EQ(velmSanitizeText(nullptr), "");
    // The first and last lead byte of each length.
    for (const char* kept : {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xEF\xBF\xBD", "\xF0\x90\x80\x80",
                             "\xF4\x8F\xBF\xBF"})
        EXPECT_EQ(velmSanitizeText(kept), kept);
    EXPECT_EQ(velmSanitizeText("\xC1\xBF"), "??") << "an overlong lead";
    EXPECT_EQ(velmSanitizeText("\xF5\x80\x80\x80"), "????") << "beyond Unicode";
}

// Lines wrap between words, a word wider than the line between characters
// (never inside one), and the line feeds already there stay.
TEST(VelmWrapText, BreaksAtSpacesElseBetweenCharacters) {
    RecordingFont font;   // every character 10 pixels wide
    EXPECT_EQ(velmWrapText(font, 14, "one two three", 75), "one two\nthree");
    EXPECT_EQ(velmWrapText(font, 14, "/a/long/path", 50), "/a/lo\nng/pa\nth");
    EXPECT_EQ(velmWrapText(font, 14, "\xC3\xA9t\xC3\xA9 ok", 20), "\xC3\xA9\nt\n\xC3\xA9\nok") << "a byte ten pixels";
    EXPECT_EQ(velmWrapText(font, 14, "fits\nand fits", 100), "fits\nand fits");
    EXPECT_EQ(velmWrapText(font, 14, "x", 1), "x") << "one character at least";
    // Japanese between any two characters, but no line starts with a stop.
    EXPECT_EQ(velmWrapText(font, 14, "あいう。えお", 90), "あい\nう。え\nお");
}
