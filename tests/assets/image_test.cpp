// loadPng and Image: colour types, row order, hostile files, copying.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "assets/image.h"
#include "support/png_files.h"
#include "support/temp_path.h"

namespace {
class LoadPngTest : public ::testing::Test {
protected:
    std::string path(const char* name) { return testTempPath(name); }
    void expectEmpty(const Image& image) {
        EXPECT_EQ(image.width, 0u);
        EXPECT_EQ(image.height, 0u);
        EXPECT_EQ(image.channels, 0);
        EXPECT_EQ(image.bitDepth, 0);
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_TRUE(image.empty());
    }
    // Loads while capturing standard error, which must stay silent.
    Image loadQuietly(const std::string& file) {
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        Image image = loadPng(file);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        return image;
    }
    // A valid 2 by 2 RGB file's bytes.
    std::vector<unsigned char> smallPng() {
        PngSpec spec{2, 2, 8, PNG_COLOR_TYPE_RGB, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, {}, {}};
        writePng(path("small.png"), spec);
        return readBytes(path("small.png"));
    }
};
}  // namespace

// Every colour type and depth arrives as 8-bit samples: 16 bits cut to the
// high byte, 1-bit grey as bytes 0 or 1, a palette as its indices, RGB with a
// transparency chunk kept at three channels; the bottom row first.
TEST_F(LoadPngTest, EveryColourTypeGivesEightBitSamplesBottomRowFirst) {
    std::vector<png_byte> sixteen, highBytes;
    for (int i = 0; i < 12; ++i) {
        sixteen.insert(sixteen.end(), {static_cast<png_byte>(10 * i), 0xFF});
        highBytes.push_back(static_cast<uint8_t>(10 * i));
    }
    const struct {
        PngSpec spec;
        int channels;
        std::vector<uint8_t> pixels;
    } cases[] = {
        {{3, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA, {sixteen}, {}, {}}, 4, highBytes},
        {{8, 1, 1, PNG_COLOR_TYPE_GRAY, {{0xA5}}, {}, {}}, 1, {1, 0, 1, 0, 0, 1, 0, 1}},   // 1010 0101
        {{4, 1, 8, PNG_COLOR_TYPE_PALETTE, {{3, 0, 2, 1}}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}}, {}},
         1, {3, 0, 2, 1}},
        {{1, 1, 8, PNG_COLOR_TYPE_RGB, {{1, 0, 0}}, {}, {}, true}, 3, {1, 0, 0}},
        {{2, 1, 8, PNG_COLOR_TYPE_GRAY, {{10, 20}}, {}, {}}, 1, {10, 20}},
        {{2, 2, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{1, 2, 3, 4}, {5, 6, 7, 8}}, {}, {}}, 2, {5, 6, 7, 8, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "colour type " << c.spec.colourType << ", depth " << c.spec.bitDepth);
        ASSERT_TRUE(writePng(path("case.png"), c.spec));
        const Image image = loadPng(path("case.png"));
        EXPECT_EQ(image.bitDepth, 8);
        EXPECT_EQ(image.height, c.spec.height);
        ASSERT_EQ(image.channels, c.channels);
        ASSERT_EQ(image.rowBytes(), c.spec.width * c.channels);
        EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + c.pixels.size()), c.pixels);
    }
}

TEST_F(LoadPngTest, UnreadableFilesGiveTheEmptyImageSilently) {
    expectEmpty(loadQuietly(path("does_not_exist.png")));

    writeBytes(path("text.png"), std::vector<unsigned char>{'h', 'e', 'l', 'l', 'o', '!'});
    expectEmpty(loadQuietly(path("text.png")));

    writeBytes(path("short.png"), std::vector<unsigned char>{137, 80, 78});
    expectEmpty(loadQuietly(path("short.png")));

    std::vector<unsigned char> bytes = smallPng();
    std::vector<unsigned char> truncated(bytes.begin(), bytes.begin() + bytes.size() / 2);
    writeBytes(path("truncated.png"), truncated);
    expectEmpty(loadQuietly(path("truncated.png")));

    std::vector<unsigned char> corrupt = bytes;
    corrupt[bytes.size() - 20] ^= 0xFF;   // inside the image data: its checksum fails
    writeBytes(path("corrupt.png"), corrupt);
    expectEmpty(loadQuietly(path("corrupt.png")));

    writeBytes(path("signature_only.png"), pngSignature());
    expectEmpty(loadQuietly(path("signature_only.png")));
}

TEST_F(LoadPngTest, HugeDeclaredSizesAreRefusedAtTheHeader) {
    for (uint32_t side : {100000u, 20000u}) {
        std::vector<unsigned char> file = pngSignature();
        appendChunk(file, "IHDR", headerData(side, side, 8, PNG_COLOR_TYPE_RGB));
        appendChunk(file, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
        appendChunk(file, "IEND", {});
        writeBytes(path("huge.png"), file);
        expectEmpty(loadQuietly(path("huge.png")));
    }
    // Within each side's bound but over the size bound: 16000 x 16000 RGBA.
    std::vector<unsigned char> file = pngSignature();
    appendChunk(file, "IHDR", headerData(16000, 16000, 8, PNG_COLOR_TYPE_RGB_ALPHA));
    appendChunk(file, "IEND", {});
    writeBytes(path("wide.png"), file);
    expectEmpty(loadQuietly(path("wide.png")));
}

TEST_F(LoadPngTest, ChunksDeclaringMoreThanTheFileHoldsAreRefused) {
    // A 57-byte file declaring a text chunk of 1 GB.
    std::vector<unsigned char> file = pngSignature();
    appendChunk(file, "IHDR", headerData(1, 1, 8, PNG_COLOR_TYPE_GRAY));
    appendChunk(file, "tEXt", {'a', 0, 'b'}, 1u << 30);
    while (file.size() < 57)
        file.push_back(0);
    writeBytes(path("text_bomb.png"), file);
    expectEmpty(loadQuietly(path("text_bomb.png")));

    // An ancillary chunk that fits in the file but is far too long, in a
    // picture that loads with a short one.
    const std::vector<unsigned char> onePixel = {0x78, 0x9C, 0x63, 0x60, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01};
    for (const uint32_t textBytes : {16u, maxAncillaryChunkBytes, maxAncillaryChunkBytes + 1}) {
        std::vector<unsigned char> big = pngSignature();
        appendChunk(big, "IHDR", headerData(1, 1, 8, PNG_COLOR_TYPE_GRAY));
        appendChunk(big, "zTXt", std::vector<unsigned char>(textBytes, 'x'));
        appendChunk(big, "IDAT", onePixel);
        appendChunk(big, "IEND", {});
        writeBytes(path("big_chunk.png"), big);
        EXPECT_EQ(loadQuietly(path("big_chunk.png")).empty(), textBytes > maxAncillaryChunkBytes) << textBytes;
    }
}

TEST(ChunkChecks, ALastChunkCutShortIsJudgedByItsDeclaredLength) {
    // Found by fuzzing: the file ends eight bytes into a chunk declaring
    // 1.8 GB. libpng only warns that it is too large, then allocates it.
    std::vector<unsigned char> file = pngSignature();
    appendChunk(file, "IHDR", headerData(5, 3, 1, PNG_COLOR_TYPE_GRAY));
    appendBigEndian(file, 1885339660u);
    for (char c : std::string("sPLT"))
        file.push_back(static_cast<unsigned char>(c));
    file.push_back(0);
    EXPECT_FALSE(pngChunksAreSane(file.data(), file.size()));
    EXPECT_TRUE(decodePng(file.data(), file.size()).empty());

    // Cut inside the data of the last chunk: refused the same way.
    std::vector<unsigned char> cut = pngSignature();
    appendChunk(cut, "IHDR", headerData(5, 3, 1, PNG_COLOR_TYPE_GRAY));
    appendChunk(cut, "IDAT", std::vector<unsigned char>(40, 0x11));
    cut.resize(cut.size() - 10);
    EXPECT_FALSE(pngChunksAreSane(cut.data(), cut.size()));

    // Cut inside its checksum only: libpng judges it (and fails).
    cut = pngSignature();
    appendChunk(cut, "IHDR", headerData(5, 3, 1, PNG_COLOR_TYPE_GRAY));
    appendChunk(cut, "IDAT", std::vector<unsigned char>(40, 0x11));
    cut.resize(cut.size() - 2);
    EXPECT_TRUE(pngChunksAreSane(cut.data(), cut.size()));
    EXPECT_TRUE(decodePng(cut.data(), cut.size()).empty());
}

TEST(ChunkChecks, HeaderFirstAndWithinLimits) {
    std::vector<unsigned char> good = pngSignature();
    appendChunk(good, "IHDR", headerData(4, 4, 8, PNG_COLOR_TYPE_RGBA));
    appendChunk(good, "IEND", {});
    EXPECT_TRUE(pngChunksAreSane(good.data(), good.size()));

    std::vector<unsigned char> textFirst = pngSignature();
    appendChunk(textFirst, "tEXt", {'a', 0, 'b'});
    appendChunk(textFirst, "IHDR", headerData(4, 4, 8, PNG_COLOR_TYPE_RGBA));
    EXPECT_FALSE(pngChunksAreSane(textFirst.data(), textFirst.size()));

    std::vector<unsigned char> badType = pngSignature();
    appendChunk(badType, "IHDR", headerData(4, 4, 8, 5));   // no colour type 5
    EXPECT_FALSE(pngChunksAreSane(badType.data(), badType.size()));
    EXPECT_FALSE(pngChunksAreSane(nullptr, 0));
    EXPECT_FALSE(pngChunksAreSane(good.data(), 7));

    // The decoded picture may take up to 256 MiB: judged at the header, with
    // one byte per sample of every channel.
    auto header = [](uint32_t w, uint32_t h, int type) {
        std::vector<unsigned char> file = pngSignature();
        appendChunk(file, "IHDR", headerData(w, h, 8, type));
        return pngChunksAreSane(file.data(), file.size());
    };
    EXPECT_TRUE(header(8192, 8192, PNG_COLOR_TYPE_RGBA));
    EXPECT_FALSE(header(8192, 8193, PNG_COLOR_TYPE_RGBA));
    EXPECT_TRUE(header(16384, 16384, PNG_COLOR_TYPE_GRAY));
    EXPECT_FALSE(header(16384, 16384, PNG_COLOR_TYPE_GRAY_ALPHA));
    EXPECT_FALSE(header(16385, 1, PNG_COLOR_TYPE_GRAY)) << "wider than any side may be";
}

// Copies are deep; assigning a picture to itself keeps its pixels; assigning
// the empty image releases them.
TEST(ImageCopy, AssignmentCopiesDeeplyAndReleases) {
    Image a;
    a.width = 2;
    a.height = 1;
    a.bitDepth = 8;
    a.channels = 3;
    a.pixels = new uint8_t[6]{1, 2, 3, 4, 5, 6};
    Image b;
    b = a;
    ASSERT_NE(b.pixels, nullptr);
    EXPECT_NE(b.pixels, a.pixels);
    a.pixels[0] = 99;
    EXPECT_EQ(b.pixels[0], 1);
    EXPECT_EQ(b.pixels[5], 6);
    EXPECT_EQ(b.width, 2u);
    EXPECT_EQ(b.channels, 3);
    Image& same = a;
    a = same;
    ASSERT_NE(a.pixels, nullptr);
    EXPECT_EQ(a.pixels[5], 6);
    a = Image();
    EXPECT_EQ(a.pixels, nullptr);
    EXPECT_EQ(a.channels, 0);
    EXPECT_TRUE(a.empty());
}
