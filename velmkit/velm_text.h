// Text as the widgets and the painters set it: its characters, where a
// line may break, and the runs of a chain of faces that draw it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The characters of UTF-8 text (code points), each with the byte it starts
// at; a byte that does not decode stands for itself.
struct VelmCharacter {
    uint32_t code;
    size_t at;
};
std::vector<VelmCharacter> velmCharacters(const std::string& text);

// Whether a line may break between two characters that have no space
// between them: after an ideograph, a kana or a fullwidth sign (Chinese and
// Japanese set no spaces), or before one; never before closing punctuation
// or an iteration mark, nor after opening punctuation (the rule Japanese
// typesetting calls kinsoku). Korean, like the European languages, breaks
// at its spaces.
bool velmBreakBetween(uint32_t before, uint32_t after);

// A piece of text drawn by one face of a chain.
struct VelmTextRun {
    int face;           // 0: the font's own; 1 on: its fallbacks in order
    std::string text;
};
// text cut into runs of the faces of a chain: each character drawn by the
// first of faces that has it (hasGlyph(face, code)), by the first face
// where none has. The one place where text becomes what is drawn: a
// shaping step (Arabic, the Indic scripts) would turn these runs into glyphs.
std::vector<VelmTextRun> velmTextRuns(const std::string& text, int faces,
                                      const std::function<bool(int, uint32_t)>& hasGlyph);

// A face of a font collection (.ttc) as a font of its own, which a library
// that opens only a file's first face can open: the face's table directory
// moved to the front (its tables' offsets count from the file's start);
// faces other than the first of a collection only. Empty when the bytes
// are no collection or have no such face.
std::vector<unsigned char> velmFaceOfCollection(const std::vector<unsigned char>& collection, int index);
