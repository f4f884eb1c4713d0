// Writes PNG files for the tests: ordinary ones through libpng, hostile ones
// chunk by chunk.
#pragma once

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

// A picture for libpng: rows top first, each already packed for bitDepth.
struct PngSpec {
    uint32_t width, height;
    int bitDepth, colourType;
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_color> palette;
    std::vector<png_byte> transparency;   // tRNS for palette pictures
    bool rgbTransparency = false;         // tRNS with one RGB colour
    bool interlaced = false;              // Adam7
};

inline bool writePng(const std::string& path, const PngSpec& spec) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
    png_color_16 key{};
    key.red = 1;
    if (spec.rgbTransparency)
        png_set_tRNS(png, info, nullptr, 0, &key);
    else if (!spec.transparency.empty())
        png_set_tRNS(png, info, spec.transparency.data(), static_cast<int>(spec.transparency.size()), nullptr);
    png_write_info(png, info);
    const int passes = spec.interlaced ? png_set_interlace_handling(png) : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (const auto& row : spec.rows)
            png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// Raw chunk writing, for files libpng would never write.
inline void appendBigEndian(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

// A chunk whose length field says declaredLength but which carries data.
inline void appendChunk(std::vector<unsigned char>& out, const char* type,
                        const std::vector<unsigned char>& data, uint32_t declaredLength) {
    appendBigEndian(out, declaredLength);
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    appendBigEndian(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

inline void appendChunk(std::vector<unsigned char>& out, const char* type,
                        const std::vector<unsigned char>& data) {
    appendChunk(out, type, data, static_cast<uint32_t>(data.size()));
}

inline std::vector<unsigned char> pngSignature() { return {137, 80, 78, 71, 13, 10, 26, 10}; }

inline std::vector<unsigned char> headerData(uint32_t width, uint32_t height, int depth, int colourType) {
    std::vector<unsigned char> d;
    appendBigEndian(d, width);
    appendBigEndian(d, height);
    d.push_back(static_cast<unsigned char>(depth));
    d.push_back(static_cast<unsigned char>(colourType));
    d.push_back(0);
    d.push_back(0);
    d.push_back(0);
    return d;
}

inline bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

inline std::vector<unsigned char> readBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    unsigned char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    return bytes;
}
