// Text's characters, its line breaks between ideographs, and its runs of faces.
#include "velmkit/velm_text.h"

#include <algorithm>
#include <cstring>

std::vector<VelmCharacter> velmCharacters(const std::string& text) {
    std::vector<VelmCharacter> out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = i + extra < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        out.push_back({valid ? code : lead, i});
        i += valid ? extra + 1 : 1;
    }
    return out;
}

namespace {
// Characters that Chinese and Japanese set without spaces between them.
bool isWide(uint32_t c) {
    return (c >= 0x2E80 && c <= 0x2FDF) ||    // CJK radicals
           (c >= 0x3000 && c <= 0x30FF) ||    // CJK punctuation, hiragana, katakana
           (c >= 0x3100 && c <= 0x312F) ||    // bopomofo
           (c >= 0x31F0 && c <= 0x31FF) ||    // katakana for Ainu
           (c >= 0x3400 && c <= 0x4DBF) ||    // CJK extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||    // CJK unified ideographs
           (c >= 0xF900 && c <= 0xFAFF) ||    // CJK compatibility ideographs
           (c >= 0xFF00 && c <= 0xFFEF);      // fullwidth and halfwidth forms
}

// No line may start with these: closing brackets and quotes, stops and
// commas, small kana, the prolonged sound mark and iteration marks.
constexpr char32_t closing[] =
    U")]},.:;!?%\u00BB\u2019\u201D\u2026\u2025\u3001\u3002\u3005\u3009\u300B\u300D\u300F\u3011\u3015\u3017"
    U"\u3019\u301F\u3041\u3043\u3045\u3047\u3049\u3063\u3083\u3085\u3087\u308E\u3095\u3096\u309D\u309E\u30A1"
    U"\u30A3\u30A5\u30A7\u30A9\u30C3\u30E3\u30E5\u30E7\u30EE\u30F5\u30F6\u30FB\u30FC\u30FD\u30FE\uFF01\uFF09"
    U"\uFF0C\uFF0E\uFF1A\uFF1B\uFF1F\uFF3D\uFF5D\uFF60";
// No line may end with these: opening brackets and quotes.
constexpr char32_t opening[] = U"([{\u00AB\u2018\u201C\u3008\u300A\u300C\u300E\u3010\u3014\u3016\u3018\u301D\uFF08"
                               U"\uFF3B\uFF5B\uFF5F";

bool among(const char32_t* set, uint32_t c) {
    for (; *set != 0; ++set)
        if (static_cast<uint32_t>(*set) == c)
            return true;
    return false;
}
}  // namespace

bool velmBreakBetween(uint32_t before, uint32_t after) {
    if (among(closing, after) || among(opening, before))
        return false;
    return isWide(before) || isWide(after);
}

std::vector<VelmTextRun> velmTextRuns(const std::string& text, int faces,
                                      const std::function<bool(int, uint32_t)>& hasGlyph) {
    std::vector<VelmTextRun> runs;
    const std::vector<VelmCharacter> characters = velmCharacters(text);
    for (size_t i = 0; i < characters.size(); ++i) {
        const uint32_t code = characters[i].code;
        int face = 0;
        // A space is set in the face of the text around it.
        if (code == ' ' && !runs.empty())
            face = runs.back().face;
        else
            for (int f = 0; f < faces; ++f)
                if (hasGlyph(f, code)) {
                    face = f;
                    break;
                }
        const size_t end = i + 1 < characters.size() ? characters[i + 1].at : text.size();
        if (runs.empty() || runs.back().face != face)
            runs.push_back({face, {}});
        runs.back().text.append(text, characters[i].at, end - characters[i].at);
    }
    return runs;
}

namespace {
uint32_t bigEndian32(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
}  // namespace

std::vector<unsigned char> velmFaceOfCollection(const std::vector<unsigned char>& collection, int index) {
    constexpr size_t headerBytes = 12, tableRecordBytes = 16, offsetTableBytes = 12;
    if (collection.size() < headerBytes || std::memcmp(collection.data(), "ttcf", 4) != 0 || index < 0)
        return {};
    const uint32_t faces = bigEndian32(&collection[8]);
    const size_t entry = headerBytes + 4 * static_cast<size_t>(index);
    if (static_cast<uint32_t>(index) >= faces || entry + 4 > collection.size())
        return {};
    const size_t directory = bigEndian32(&collection[entry]);
    if (directory + offsetTableBytes > collection.size())
        return {};
    const size_t tables = (size_t{collection[directory + 4]} << 8) | collection[directory + 5];
    const size_t length = offsetTableBytes + tableRecordBytes * tables;
    if (directory + length > collection.size())
        return {};
    std::vector<unsigned char> face = collection;
    std::memmove(face.data(), collection.data() + directory, length);
    return face;
}
