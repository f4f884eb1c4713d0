// VelmFont: a TrueType font for the widgets, drawn with FTGL.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class FTFont;
struct VelmFace;
struct VelmTextRun;

// A font file opened once and drawn at any number of sizes.
//
// The file is taken from the working directory when it is there; otherwise
// fontconfig is asked for the family its stem names ("VERDANA.TTF" asks for
// Verdana, a trailing "B" for the bold face: "VERDANAB.TTF" is Verdana bold),
// and fontconfig falls back to the system's sans-serif. A font that cannot be
// found or read at all is kept as a null font: it draws nothing and measures 0.
//
// The drawing operations are virtual so that a host can substitute its own
// glyph source (or a recording font in tests).
//
// Text is drawn with FTGL's buffer font (antialiased, one small texture per
// cached string), one instance per size, sharing the file's bytes. Sizes and
// measures are in units of the 2D view; where the host shows that view
// scaled (velmSetPixelScale), glyphs are rasterised at the screen's size.
// The characters its face lacks are drawn by the fallback face of its weight
// (velmSetFallbackFamily), text cut into runs by velmTextRuns.
class VelmFont {
public:
    explicit VelmFont(const char* fileName);
    virtual ~VelmFont();
    VelmFont(const VelmFont&) = delete;
    VelmFont& operator=(const VelmFont&) = delete;

    // After the GL context was lost: every font drops the glyph textures it
    // made there and makes them again in the new context when next drawn.
    static void forgetAllGlObjects();

    // True when a face was loaded.
    bool isValid() const { return !bytes.empty(); }
    // The file actually opened, empty for a null font.
    const std::string& path() const { return resolvedPath; }

    // Sets the size in pixels (points at 72 dpi) for the calls that follow.
    virtual bool FaceSize(unsigned size);
    unsigned currentSize() const { return size; }

    // Width of text in pixels at the current size, without drawing.
    virtual float Advance(const char* text);
    // Draws text with its first glyph's origin at the current modelview origin,
    // in the current colour, and leaves the modelview matrix moved right by
    // the advances of all its characters but the last.
    virtual void Render(const char* text);
    // Distance from the baseline to the lowest descent (negative).
    virtual float Descender();
    virtual float Ascender();
    // Distance between baselines of successive lines.
    virtual float LineHeight();

protected:
    // A null font, for subclasses that draw by other means.
    VelmFont();

private:
    FTFont* face();   // the instance for the current size, null for a null font
    FTFont* faceOfPixels(unsigned pixels);
    // Whether it has a fallback face (else its own face draws everything,
    // without the runs' allocations).
    bool fallsBack() const { return fallback != nullptr && own != nullptr; }
    // text in runs of its faces: the font's own (0) and its fallback (1).
    std::vector<VelmTextRun> runsOf(const char* text);
    FTFont* runFace(int run, unsigned pixels);
    void renderRuns(const std::vector<VelmTextRun>& runs, float scale);

    std::string resolvedPath;
    std::vector<unsigned char> bytes;
    std::map<unsigned, std::unique_ptr<FTFont>> sizes;
    unsigned size = 12;
    bool bold = false;
    std::shared_ptr<VelmFace> own, fallback;   // for which characters they have, and the fallback's sizes
};

// The family of the faces that draw what a font's own face lacks (the
// Chinese, Japanese or Korean of a catalog), in the font's weight: asked of
// fontconfig where there is fontconfig, else found in the font folders by
// the family's name without spaces and its weight ("Noto Sans CJK JP":
// NotoSansCJKJP-Regular.otf, NotoSansCJKJP-Bold.otf). Empty: no fallback.
// Fonts made before it keep the fallback they had.
void velmSetFallbackFamily(const std::string& family);
const std::string& velmFallbackFamily();
// The bytes of the fallback face of a weight, one font (a collection's face
// moved to the front), shared by everything that draws with it; null where
// no fallback family is set or its face cannot be read.
std::shared_ptr<const std::vector<unsigned char>> velmFallbackFaceBytes(bool bold);
// A face of a font file: the file, and the face in it for a collection.
struct VelmFaceFile {
    std::string file;
    int index = 0;
};
// The file of family in that weight; an empty file where there is none
// (fontconfig's nearest match of another family does not count).
VelmFaceFile velmFindFace(const std::string& family, bool bold);
// A face file's bytes as one font its first face is (a collection's face
// moved to the front); empty when it cannot be read.
std::vector<unsigned char> velmFaceBytes(const VelmFaceFile& face);

// Where a font file is found: the file itself when it can be opened, else
// the fontconfig match for its stem, or where there is no fontconfig the
// file in one of the host's font folders, else DejaVu Sans (bold for a stem
// ending in B) there; empty when nothing matches.
std::string velmResolveFontFile(const char* fileName);
// The folders to look for fonts in where fontconfig is not used.
void velmSetFontFolders(const std::vector<std::string>& folders);

// A copy of text that is safe to hand to FTGL: bytes that do not form valid
// UTF-8 are replaced by '?'.
std::string velmSanitizeText(const char* text);

// text with line feeds where its lines would run wider than width drawn in
// font at size: between words where a line has a space, else (a path, a
// long word) between two characters. Line feeds already there stay.
std::string velmWrapText(VelmFont& font, unsigned size, const std::string& text, float width);
