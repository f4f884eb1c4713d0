// Image and loadPng: PNG files decoded into 8-bit samples, bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// A decoded picture that owns its pixels. The empty Image (channels 0,
// pixels null) stands for every failure.
struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitDepth = 0;
    uint8_t channels = 0;
    uint8_t* pixels = nullptr;   // height rows of rowBytes(), bottom row first

    Image() = default;
    Image(const Image& other);
    Image& operator=(const Image& other);
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    ~Image();

    // Bytes in one row: width x channels x bitDepth bits, rounded up.
    uint64_t rowBytes() const;
    bool empty() const { return channels < 1 || channels > 4; }
};

// Pictures larger than this are refused, at their header.
constexpr uint32_t maxImageSide = 16384;
constexpr uint64_t maxImageBytes = 256ull << 20;
// Ancillary chunks longer than this make a file unreadable.
constexpr uint32_t maxAncillaryChunkBytes = 4u << 20;

// Reads a PNG file. Never throws and prints nothing: a missing, foreign,
// corrupt, truncated or oversized file gives the empty Image.
Image loadPng(const std::string& fileName);
// The same for a file already in memory.
Image decodePng(const uint8_t* data, size_t size);
// The checks made before decoding: the header comes first and declares a
// picture of a sane size, and no chunk whose header is in the file declares
// more data than the file holds, or (ancillary) more than the limit.
bool pngChunksAreSane(const uint8_t* data, size_t size);

// Writes an 8-bit RGB (3 channels) or RGBA (4) picture to a new file at
// path (a UTF-8 path, in binary on every platform); an existing file is
// never replaced. On failure error is why, as an errno value: EEXIST for a
// file already there, the system's reason for a file it would not create or
// write (ENOSPC for a full disk), EINVAL for no picture, EIO for a picture
// the encoder gave up on.
bool savePngAsNewFile(const std::string& path, const Image& image, int& error);
// Encodes an 8-bit RGB or RGBA picture as a PNG through write, which is
// handed the file's bytes piece by piece, in order, and answers false when
// it could not keep a piece; encoding stops at the first piece refused.
// False then, or when there is no such picture to encode.
bool encodePng(const Image& image, const std::function<bool(const uint8_t*, size_t)>& write);
