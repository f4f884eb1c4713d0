// PNG reading with libpng: checks a file's chunk layout and declared size
// before decoding, so that no file can ask for a huge allocation.
#include "assets/image.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

#include "velmkit/velm_file.h"

Image::Image(const Image& other) { *this = other; }

Image& Image::operator=(const Image& other) {
    if (this == &other)
        return *this;
    delete[] pixels;
    pixels = nullptr;
    width = other.width;
    height = other.height;
    bitDepth = other.bitDepth;
    channels = other.channels;
    if (other.pixels != nullptr) {
        const uint64_t size = rowBytes() * height;
        pixels = new (std::nothrow) uint8_t[size];
        if (pixels == nullptr)
            width = height = bitDepth = channels = 0;
        else
            std::memcpy(pixels, other.pixels, size);
    }
    return *this;
}

Image::Image(Image&& other) noexcept { *this = std::move(other); }

Image& Image::operator=(Image&& other) noexcept {
    if (this == &other)
        return *this;
    delete[] pixels;
    width = other.width;
    height = other.height;
    bitDepth = other.bitDepth;
    channels = other.channels;
    pixels = other.pixels;
    other.width = other.height = other.bitDepth = other.channels = 0;
    other.pixels = nullptr;
    return *this;
}

Image::~Image() { delete[] pixels; }

uint64_t Image::rowBytes() const {
    const uint64_t bits = static_cast<uint64_t>(width) * channels * bitDepth;
    return (bits + 7) / 8;
}

namespace {
constexpr size_t signatureBytes = 8;
constexpr size_t checkedSignatureBytes = 4;
constexpr size_t chunkOverhead = 12;            // length, type, CRC
constexpr uint32_t maxChunkLength = 0x7FFFFFFF;
constexpr int stripAndUnpack = PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_PACKING;
// No PNG file of an acceptable picture comes near this.
constexpr uint64_t maxFileBytes = maxImageBytes + (64u << 20);

uint32_t bigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Samples per pixel before any transform, for a PNG colour type.
int channelsOf(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    case PNG_COLOR_TYPE_PALETTE: return 1;
    default: return 0;
    }
}

constexpr size_t chunkHeaderBytes = 8;           // length, type
}  // namespace

bool pngChunksAreSane(const uint8_t* file, size_t size) {
    if (file == nullptr || size < signatureBytes)
        return false;
    size_t at = signatureBytes;
    bool sawHeader = false;
    // Every chunk whose length and type are in the file is checked, also the
    // last one of a file that ends inside it: libpng would otherwise act on
    // its declared length before finding that the data is missing.
    while (at + chunkHeaderBytes <= size) {
        const uint32_t length = bigEndian32(&file[at]);
        const uint8_t* type = &file[at + 4];
        if (length > maxChunkLength || length > size - at - chunkHeaderBytes)
            return false;
        const bool ancillary = (type[0] & 0x20) != 0;
        if (ancillary && length > maxAncillaryChunkBytes)
            return false;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (length < 13)
                return false;
            const uint8_t* data = &file[at + 8];
            const uint64_t w = bigEndian32(data), h = bigEndian32(data + 4);
            const int n = channelsOf(data[9]);
            if (w == 0 || h == 0 || w > maxImageSide || h > maxImageSide || n == 0)
                return false;
            // Stripped and unpacked, every sample is one byte.
            if (w * h * n > maxImageBytes)
                return false;
            sawHeader = true;
        } else if (!sawHeader) {
            return false;   // the header comes first
        }
        if (std::memcmp(type, "IEND", 4) == 0)
            return true;
        at += chunkOverhead + length;
    }
    return sawHeader;   // let libpng judge a file that ends early
}

namespace {
struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t at;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->at)
        png_error(png, "read past the end");
    std::memcpy(out, reader->data + reader->at, count);
    reader->at += count;
}

void silentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void silentWarning(png_structp, png_const_charp) {}

// Decodes a PNG held in memory into out. Only plain data lives across the
// setjmp; what must survive the jump is volatile.
bool decode(const uint8_t* data, size_t size, Image& out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, silentError, silentWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, checkedSignatureBytes};
    uint8_t* volatile pixels = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        delete[] pixels;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_set_sig_bytes(png, checkedSignatureBytes);
    png_set_user_limits(png, maxImageSide, maxImageSide);
    png_set_chunk_malloc_max(png, maxAncillaryChunkBytes);
    png_read_png(png, info, stripAndUnpack, nullptr);

    const uint32_t w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const uint8_t depth = png_get_bit_depth(png, info), n = png_get_channels(png, info);
    const uint64_t rowBytes = (static_cast<uint64_t>(w) * n * depth + 7) / 8;
    if (rowBytes != png_get_rowbytes(png, info) || rowBytes * h > maxImageBytes)
        png_error(png, "unexpected row size");
    pixels = new (std::nothrow) uint8_t[rowBytes * h];
    if (pixels == nullptr)
        png_error(png, "out of memory");
    png_bytepp rows = png_get_rows(png, info);
    for (uint32_t i = 0; i < h; ++i)
        std::memcpy(pixels + i * rowBytes, rows[h - 1 - i], rowBytes);
    png_destroy_read_struct(&png, &info, nullptr);

    out.width = w;
    out.height = h;
    out.bitDepth = depth;
    out.channels = n;
    out.pixels = pixels;
    return true;
}

bool readFile(const std::string& fileName, std::vector<uint8_t>& bytes) {
    FILE* file = velmOpenFile(fileName, "rb");
    if (file == nullptr)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && static_cast<uint64_t>(size) <= maxFileBytes &&
         std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        ok = ok && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}
}  // namespace

Image decodePng(const uint8_t* data, size_t size) {
    Image image;
    if (data == nullptr || size < signatureBytes)
        return image;
    // Only the first bytes of the signature are compared, as the reader
    // always has; libpng checks the rest.
    if (png_sig_cmp(data, 0, checkedSignatureBytes) != 0)
        return image;
    if (!pngChunksAreSane(data, size))
        return image;
    if (!decode(data, size, image))
        return Image();
    return image;
}

Image loadPng(const std::string& fileName) {
    std::vector<uint8_t> bytes;
    if (!readFile(fileName, bytes))
        return Image();
    return decodePng(bytes.data(), bytes.size());
}

namespace {
void failWrite(png_structp png, png_const_charp) { png_longjmp(png, 1); }

using ByteWriter = std::function<bool(const uint8_t*, size_t)>;
constexpr int quickCompression = 2;   // zlib's levels 1 (fastest) to 9

void writeBytes(png_structp png, png_bytep data, png_size_t length) {
    if (!(*static_cast<const ByteWriter*>(png_get_io_ptr(png)))(data, length))
        png_error(png, "write");   // a full disk: nothing more is written
}

void flushNothing(png_structp) {}
}  // namespace

bool encodePng(const Image& image, const std::function<bool(const uint8_t*, size_t)>& write) {
    if ((image.channels != 3 && image.channels != 4) || image.bitDepth != 8 || image.pixels == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failWrite, silentWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, const_cast<ByteWriter*>(&write), writeBytes, flushNothing);
    // Quick to write (a picture is saved between two frames): a fifth of
    // the default's time for a file a fifth larger.
    png_set_compression_level(png, quickCompression);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, image.width, image.height, 8,
                 image.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const uint64_t rowBytes = image.rowBytes();
    for (uint32_t row = image.height; row > 0; --row)   // the file holds the top row first
        png_write_row(png, image.pixels + (row - 1) * rowBytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool savePngAsNewFile(const std::string& path, const Image& image, int& error) {
    if ((image.channels != 3 && image.channels != 4) || image.bitDepth != 8 || image.pixels == nullptr) {
        error = EINVAL;
        return false;
    }
    errno = 0;
    FILE* file = velmCreateFile(path);
    if (file == nullptr) {
        error = errno;
        return false;
    }
    int refused = 0;   // errno of the write that failed
    const bool encoded = encodePng(image, [&](const uint8_t* data, size_t length) {
        errno = 0;
        if (std::fwrite(data, 1, length, file) == length)
            return true;
        refused = errno != 0 ? errno : EIO;
        return false;
    });
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !closed) {
        // The system's reason when it refused a write (a full disk), else the encoder's.
        error = refused != 0 ? refused : !closed && errno != 0 ? errno : EIO;
        velmRemoveFile(path);   // no half-written picture is left behind
        return false;
    }
    return true;
}
