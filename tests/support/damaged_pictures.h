// The ways a picture in the working directory can be wrong, and a function
// that does each of them to a copy of a good picture.
#pragma once

#include <string>
#include <vector>

#include "support/png_files.h"

enum class Damage {
    Missing,      // the file is not there
    Empty,        // zero bytes
    Truncated,    // the first half of the good file
    NotAPng,      // a text file under the picture's name
    Corrupt,      // the good file with bytes of its image data overwritten
    Huge,         // a header declaring 100000 by 100000 RGBA pixels
    SixteenBit,   // a 16-bit RGBA picture
    Palette,      // an 8-bit palette picture
    Grey,         // an 8-bit grey picture
};

constexpr Damage everyDamage[] = {Damage::Missing,    Damage::Empty,   Damage::Truncated,
                                  Damage::NotAPng,    Damage::Corrupt, Damage::Huge,
                                  Damage::SixteenBit, Damage::Palette, Damage::Grey};

inline const char* damageName(Damage d) {
    switch (d) {
    case Damage::Missing: return "Missing";
    case Damage::Empty: return "Empty";
    case Damage::Truncated: return "Truncated";
    case Damage::NotAPng: return "NotAPng";
    case Damage::Corrupt: return "Corrupt";
    case Damage::Huge: return "Huge";
    case Damage::SixteenBit: return "SixteenBit";
    case Damage::Palette: return "Palette";
    case Damage::Grey: return "Grey";
    }
    return "?";
}

// True when a file damaged this way still holds a readable picture (of
// damagedSide by damagedSide pixels), in a form other than the one expected.
inline bool damageKeepsAPicture(Damage d) {
    return d == Damage::SixteenBit || d == Damage::Palette || d == Damage::Grey;
}
constexpr uint32_t damagedSide = 32;

// A small readable picture in one of the unexpected forms.
inline PngSpec unexpectedForm(Damage d) {
    PngSpec spec{damagedSide, damagedSide, 8, PNG_COLOR_TYPE_GRAY, {}, {}, {}};
    size_t rowBytes = damagedSide;
    if (d == Damage::SixteenBit) {
        spec.bitDepth = 16;
        spec.colourType = PNG_COLOR_TYPE_RGBA;
        rowBytes = damagedSide * 8;
    } else if (d == Damage::Palette) {
        spec.colourType = PNG_COLOR_TYPE_PALETTE;
        for (int i = 0; i < 4; ++i)
            spec.palette.push_back({static_cast<png_byte>(60 * i), 90, static_cast<png_byte>(200 - 40 * i)});
    }
    for (uint32_t y = 0; y < damagedSide; ++y) {
        std::vector<png_byte> row(rowBytes);
        for (size_t i = 0; i < rowBytes; ++i)
            row[i] = static_cast<png_byte>(d == Damage::Palette ? (i + y) % 4 : (i * 7 + y * 3) & 0xff);
        spec.rows.push_back(row);
    }
    return spec;
}

// Replaces the file at path (a good PNG) by its damaged form.
inline bool damagePicture(const std::string& path, Damage d) {
    std::vector<unsigned char> bytes = readBytes(path);
    switch (d) {
    case Damage::Missing:
        return std::remove(path.c_str()) == 0;
    case Damage::Empty:
        return writeBytes(path, {});
    case Damage::Truncated:
        bytes.resize(bytes.size() / 2);
        return writeBytes(path, bytes);
    case Damage::NotAPng: {
        const std::string text = "This is not a picture.\n";
        return writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
    }
    case Damage::Corrupt:
        // Past the header, into the image data; the chunk checksum then fails.
        if (bytes.size() < 200)
            return false;
        for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i)
            bytes[i] ^= 0x5a;
        return writeBytes(path, bytes);
    case Damage::Huge: {
        std::vector<unsigned char> out = pngSignature();
        appendChunk(out, "IHDR", headerData(100000, 100000, 8, PNG_COLOR_TYPE_RGBA));
        const unsigned char deflated[] = {0x78, 0x9c, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01};
        appendChunk(out, "IDAT", std::vector<unsigned char>(deflated, deflated + sizeof deflated));
        appendChunk(out, "IEND", {});
        return writeBytes(path, out);
    }
    case Damage::SixteenBit:
    case Damage::Palette:
    case Damage::Grey:
        return writePng(path, unexpectedForm(d));
    }
    return false;
}
