// VelmFont: font lookup through fontconfig and text drawing through FTGL.
#include "velmkit/velm_font.h"

#include <FTGL/ftgl.h>
#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>

#include "velmkit/velm_base.h"
#include "velmkit/velm_file.h"
#include "velmkit/velm_font_lookup.h"
#include "velmkit/velm_text.h"

namespace {
constexpr unsigned maxFontFileBytes = 64u << 20;   // no font file is this large

}  // namespace

void velmFamilyFromStem(const std::string& fileName, std::string& family, bool& bold) {
    std::string stem = fileName.substr(fileName.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find('.'));
    bold = stem.size() > 1 && (stem.back() == 'B' || stem.back() == 'b');
    if (bold)
        stem.pop_back();
    family = stem;
}

namespace {
// Bytes in one UTF-8 sequence starting with lead, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}
}  // namespace

namespace {
// Length of the valid UTF-8 sequence at text[i], 0 when it is not one.
int validSequence(const char* text, size_t i) {
    const int n = sequenceLength(static_cast<unsigned char>(text[i]));
    for (int k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return n;
}

bool isValidUtf8(const char* text) {
    for (size_t i = 0; text[i] != '\0';) {
        const int n = validSequence(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}
}  // namespace

std::string velmSanitizeText(const char* text) {
    std::string out;
    if (text == nullptr)
        return out;
    for (size_t i = 0; text[i] != '\0';) {
        const int n = validSequence(text, i);
        if (n > 0) {
            out.append(text + i, n);
            i += n;
        } else {
            out.push_back('?');
            ++i;
        }
    }
    return out;
}

namespace {
std::vector<std::string>& fontFolderList() {
    static std::vector<std::string> folders;
    return folders;
}
}  // namespace

const std::vector<std::string>& velmFontFolders() { return fontFolderList(); }

bool velmReadable(const std::string& path) {
    if (FILE* f = velmOpenFile(path, "rb")) {
        std::fclose(f);
        return true;
    }
    return false;
}

namespace {
// The whole file, empty when it cannot be read or passes limit bytes.
std::vector<unsigned char> fileBytes(const std::string& path, size_t limit) {
    std::vector<unsigned char> bytes;
    FILE* f = velmOpenFile(path, "rb");
    if (f == nullptr)
        return bytes;
    unsigned char chunk[1 << 16];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && bytes.size() <= limit)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    if (bytes.size() > limit)
        bytes.clear();
    return bytes;
}

}  // namespace

// A face as the runs of text need it: which characters it has, and (for a
// fallback) its bytes and its instances by size, shared by every font of
// its weight.
struct VelmFace {
    std::vector<unsigned char> bytes;
    FT_Face coverage = nullptr;
    std::map<unsigned, std::unique_ptr<FTFont>> sizes;
    ~VelmFace() {
        if (coverage != nullptr)
            FT_Done_Face(coverage);
    }
    bool has(uint32_t code) const { return coverage != nullptr && FT_Get_Char_Index(coverage, code) != 0; }
};

namespace {
FT_Library freeType() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return library;
}

// A face over bytes that outlive it.
std::shared_ptr<VelmFace> faceOver(std::vector<unsigned char> bytes) {
    auto face = std::make_shared<VelmFace>();
    face->bytes = std::move(bytes);
    if (freeType() == nullptr || face->bytes.empty() ||
        FT_New_Memory_Face(freeType(), face->bytes.data(), static_cast<FT_Long>(face->bytes.size()), 0,
                           &face->coverage) != 0)
        face->coverage = nullptr;
    return face;
}

std::string& fallbackFamily() {
    static std::string family;
    return family;
}

// The fallback faces made so far, regular and bold, for the family set.
std::shared_ptr<VelmFace> fallbackFace(bool bold) {
    static std::map<std::pair<std::string, bool>, std::shared_ptr<VelmFace>> made;
    if (fallbackFamily().empty())
        return nullptr;
    auto& face = made[{fallbackFamily(), bold}];
    if (face == nullptr)
        face = faceOver(velmFaceBytes(velmFindFace(fallbackFamily(), bold)));
    return face->coverage != nullptr ? face : nullptr;
}
}  // namespace

void velmSetFallbackFamily(const std::string& family) { fallbackFamily() = family; }
const std::string& velmFallbackFamily() { return fallbackFamily(); }

std::shared_ptr<const std::vector<unsigned char>> velmFallbackFaceBytes(bool bold) {
    const std::shared_ptr<VelmFace> face = fallbackFace(bold);
    return face != nullptr ? std::shared_ptr<const std::vector<unsigned char>>(face, &face->bytes) : nullptr;
}

VelmFaceFile velmFindFace(const std::string& family, bool bold) { return velmSystemFace(family, bold); }

std::vector<unsigned char> velmFaceBytes(const VelmFaceFile& face) {
    std::vector<unsigned char> bytes = fileBytes(face.file, maxFontFileBytes);
    if (bytes.size() >= 4 && std::string(bytes.begin(), bytes.begin() + 4) == "ttcf")
        bytes = velmFaceOfCollection(bytes, face.index);
    return bytes;
}

void velmSetFontFolders(const std::vector<std::string>& folders) { fontFolderList() = folders; }

std::string velmResolveFontFile(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0')
        return {};
    if (velmReadable(fileName))
        return fileName;
    return velmSystemFont(fileName);
}

namespace {
// Every live font, for forgetAllGlObjects.
std::set<VelmFont*>& liveFonts() {
    static std::set<VelmFont*> fonts;
    return fonts;
}
}  // namespace

void VelmFont::forgetAllGlObjects() {
    for (VelmFont* font : liveFonts()) {
        font->sizes.clear();
        if (font->fallback != nullptr)
            font->fallback->sizes.clear();
    }
}

VelmFont::VelmFont(const char* fileName) {
    liveFonts().insert(this);
    const std::string path = velmResolveFontFile(fileName);
    if (path.empty())
        return;
    std::vector<unsigned char> data = fileBytes(path, maxFontFileBytes);
    if (data.empty())
        return;
    // Check that FreeType takes the file before keeping it.
    FTBitmapFont probe(data.data(), data.size());   // needs no GL context
    if (probe.Error() != 0)
        return;
    bytes.swap(data);
    resolvedPath = path;
    std::string family;
    velmFamilyFromStem(fileName, family, bold);
    fallback = fallbackFace(bold);
    if (fallback != nullptr)   // which characters its own face has, only where it can fall back
        own = faceOver(bytes);
}

VelmFont::VelmFont() { liveFonts().insert(this); }
VelmFont::~VelmFont() { liveFonts().erase(this); }

FTFont* VelmFont::face() { return faceOfPixels(size); }

FTFont* VelmFont::faceOfPixels(unsigned pixels) {
    if (bytes.empty() || pixels == 0)
        return nullptr;
    auto it = sizes.find(pixels);
    if (it == sizes.end()) {
        auto font = std::make_unique<FTBufferFont>(bytes.data(), bytes.size());
        if (font->Error() != 0 || !font->FaceSize(pixels))
            return nullptr;
        it = sizes.emplace(pixels, std::move(font)).first;
    }
    return it->second.get();
}

bool VelmFont::FaceSize(unsigned newSize) {
    size = newSize;
    return face() != nullptr;
}

namespace {
// The text to give FTGL: valid text as it stands, without a copy (labels are
// drawn every frame); otherwise its mended form, kept in mended.
const char* drawableText(const char* text, std::string& mended) {
    if (isValidUtf8(text))
        return text;
    mended = velmSanitizeText(text);
    return mended.c_str();
}
}  // namespace

std::vector<VelmTextRun> VelmFont::runsOf(const char* text) {
    return velmTextRuns(text, 2, [&](int f, uint32_t code) { return (f == 0 ? own : fallback)->has(code); });
}

FTFont* VelmFont::runFace(int run, unsigned pixels) {
    if (run == 0)
        return faceOfPixels(pixels);
    auto it = fallback->sizes.find(pixels);
    if (it == fallback->sizes.end()) {
        auto font = std::make_unique<FTBufferFont>(fallback->bytes.data(), fallback->bytes.size());
        if (font->Error() != 0 || !font->FaceSize(pixels))
            return nullptr;
        it = fallback->sizes.emplace(pixels, std::move(font)).first;
    }
    return it->second.get();
}

float VelmFont::Advance(const char* text) {
    FTFont* font = face();
    if (font == nullptr || text == nullptr)
        return 0.0f;
    std::string mended;
    if (!fallsBack())
        return font->Advance(drawableText(text, mended));
    float advance = 0;
    const std::vector<VelmTextRun> runs = runsOf(drawableText(text, mended));
    for (const VelmTextRun& run : runs)
        if (FTFont* f = runFace(run.face, size))
            advance += f->Advance(run.text.c_str());
    return advance;
}

// Text of more than one face: each run at the screen's size, the pen moved
// on by its advance, and left at the origin of the last glyph as a single
// face leaves it.
void VelmFont::renderRuns(const std::vector<VelmTextRun>& runs, float scale) {
    const unsigned pixels = static_cast<unsigned>(std::lround(static_cast<float>(size) * scale));
    float lastAdvance = 0, total = 0;
    glPushMatrix();
    for (const VelmTextRun& run : runs) {
        FTFont* unit = runFace(run.face, size);
        FTFont* sharp = scale == 1.0f ? unit : runFace(run.face, pixels);
        if (unit == nullptr || sharp == nullptr)
            continue;
        if (scale == 1.0f) {
            sharp->Render(run.text.c_str());
        } else {
            glPushMatrix();
            glScalef(1.0f / scale, 1.0f / scale, 1.0f);
            sharp->Render(run.text.c_str());
            glPopMatrix();
        }
        const std::vector<VelmCharacter> characters = velmCharacters(run.text);
        lastAdvance = unit->Advance(run.text.c_str() + characters.back().at);
        total += unit->Advance(run.text.c_str());
        glTranslatef(unit->Advance(run.text.c_str()), 0.0f, 0.0f);
    }
    glPopMatrix();
    glTranslatef(total - lastAdvance, 0.0f, 0.0f);
}

void VelmFont::Render(const char* text) {
    FTFont* font = face();
    if (font == nullptr || text == nullptr || *text == '\0')
        return;
    std::string mended;
    const char* safe = drawableText(text, mended);
    const float scale = velmPixelScale();
    if (fallsBack()) {
        renderRuns(runsOf(safe), scale);
        return;
    }
    if (scale == 1.0f) {
        font->Render(safe);
    } else {
        // Set at the screen's resolution and drawn back at the unit grid's
        // size: one texel of the glyphs to one pixel of the screen.
        FTFont* sharp = faceOfPixels(static_cast<unsigned>(std::lround(static_cast<float>(size) * scale)));
        glPushMatrix();
        glScalef(1.0f / scale, 1.0f / scale, 1.0f);
        (sharp != nullptr ? sharp : font)->Render(safe);
        glPopMatrix();
    }
    // Leave the pen at the origin of the last glyph: the advance of every
    // character before it (FTGL counts the length in characters).
    int characters = 0;
    for (const char* p = safe; *p != '\0'; ++p)
        characters += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    if (characters > 1)
        glTranslatef(font->Advance(safe, characters - 1), 0.0f, 0.0f);
}

float VelmFont::Descender() {
    FTFont* font = face();
    return font != nullptr ? font->Descender() : 0.0f;
}

float VelmFont::Ascender() {
    FTFont* font = face();
    return font != nullptr ? font->Ascender() : 0.0f;
}

float VelmFont::LineHeight() {
    // FTGL's own line height spans the face's whole bounding box (for DejaVu
    // Sans 1.7 times the size); lines are set at ascent plus descent instead.
    FTFont* font = face();
    return font != nullptr ? font->Ascender() - font->Descender() : 0.0f;
}

namespace {
// One line of text cut to width: the longest start that fits, at a space
// (the space itself dropped) or between two ideographs where there is one,
// else between any characters; at least one character.
void wrapLine(VelmFont& font, const std::string& line, float width, std::string& out) {
    std::string rest = line;
    while (font.Advance(rest.c_str()) > width) {
        const std::vector<VelmCharacter> characters = velmCharacters(rest);
        if (characters.size() <= 1)
            break;   // one character: nothing to cut
        const auto startOf = [&](size_t k) { return k < characters.size() ? characters[k].at : rest.size(); };
        size_t fits = 1;   // characters that fit, at least one; never all of them
        while (fits + 1 <= characters.size() && font.Advance(rest.substr(0, startOf(fits + 1)).c_str()) <= width)
            ++fits;
        size_t cut = startOf(fits), skip = 0;
        for (size_t k = fits; k > 0 && k < characters.size(); --k) {
            if (characters[k].code == ' ') {
                cut = characters[k].at, skip = 1;
                break;
            }
            if (velmBreakBetween(characters[k - 1].code, characters[k].code)) {
                cut = characters[k].at;
                break;
            }
        }
        out += rest.substr(0, cut) + "\n";
        rest = rest.substr(cut + skip);
    }
    out += rest;
}
}  // namespace

std::string velmWrapText(VelmFont& font, unsigned size, const std::string& text, float width) {
    font.FaceSize(size);
    std::string out;
    size_t from = 0;
    for (;;) {
        const size_t end = text.find('\n', from);
        wrapLine(font, text.substr(from, end == std::string::npos ? std::string::npos : end - from), width, out);
        if (end == std::string::npos)
            return out;
        out += '\n';
        from = end + 1;
    }
}
