// The texture set under a real GL context, and the pictures shipped in data/.
#include <gtest/gtest.h>
#include <unistd.h>

#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "assets/image.h"
#include "assets/textures.h"
#include "support/damaged_pictures.h"
#include "support/gl_helpers.h"
#include "support/png_files.h"
#include "support/temp_path.h"

namespace {
// What each shipped picture must be.
struct PictureSpec {
    const char* name;
    uint32_t width, height;
    int channels;
};
constexpr PictureSpec shipped[textureCount] = {
    {"rock.png", 256, 256, 3},           {"land.png", 256, 256, 3},
    {"magma.png", 256, 256, 3},          {"sediment.png", 256, 256, 3},
    {"crust.png", 256, 256, 3},          {"corvane_underlay.png", 1024, 512, 3},
    {"corvane_overlay.png", 1024, 512, 4}, {"corvane_features.png", 1024, 512, 4},
    {"corvane_smoke.png", 256, 256, 2},  {"corvane_seepage.png", 128, 64, 4},
    {"arrow.png", 256, 64, 4},           {"qlogo.png", 64, 64, 4},
};

GLint textureParameter(GLuint name, GLenum parameter) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
    return value;
}

GLint levelParameter(GLuint name, GLenum parameter) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

// The texture set loaded from a folder of pictures.
class TextureSetTest : public ::testing::Test {
protected:
    void TearDown() override { deleteTextures(textures); }
    // Runs loadTextures with dir as the working directory.
    void loadTexturesIn(const std::string& dir) {
        char previous[4096];
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);
        loadTextures(textures);
        ASSERT_EQ(chdir(previous), 0);
    }
    GLuint nameOf(int i) const { return textures.*textureTable[i].name; }
    TextureSet textures;
};
}  // namespace

// The shipped pictures load into twelve names made in table order, each
// with its size, filters, wraps and format; deleting releases every name.
TEST_F(TextureSetTest, ShippedPicturesLoadAsTheTableSaysAndDeleteReleasesThem) {
    loadTexturesIn(CORVANE_DATA_DIR);
    const TextureSet& t = textures;
    const GLuint names[textureCount] = {t.rockTexture,     t.landTexture,     t.magmaTexture,
                                        t.sedimentTexture, t.crustTexture,    t.underlayTexture,
                                        t.overlayTexture,  t.featuresTexture, t.smokeTexture,
                                        t.seepageTexture,  t.arrowTexture,    t.logoTexture};
    for (int i = 0; i < textureCount; ++i) {
        SCOPED_TRACE(shipped[i].name);
        const GLuint name = names[i];
        EXPECT_NE(name, 0u);
        EXPECT_EQ(nameOf(i), name);
        EXPECT_STREQ(textureTable[i].fileName, shipped[i].name);
        if (i > 0) {
            EXPECT_GT(name, names[i - 1]) << "made in table order";
        }
        const bool mipmapped = i < 5;
        const bool clamped = i == 8 || i == 9;
        EXPECT_EQ(textureParameter(name, GL_TEXTURE_MIN_FILTER),
                  mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        EXPECT_EQ(textureParameter(name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(textureParameter(name, GL_TEXTURE_WRAP_S), clamped ? GL_CLAMP : GL_REPEAT);
        EXPECT_EQ(textureParameter(name, GL_TEXTURE_WRAP_T), clamped ? GL_CLAMP : GL_REPEAT);
        EXPECT_EQ(levelParameter(name, GL_TEXTURE_WIDTH), static_cast<GLint>(shipped[i].width));
        EXPECT_EQ(levelParameter(name, GL_TEXTURE_HEIGHT), static_cast<GLint>(shipped[i].height));
    }
    EXPECT_EQ(levelParameter(textures.smokeTexture, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    EXPECT_EQ(levelParameter(textures.logoTexture, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    deleteTextures(textures);
    EXPECT_FALSE(glIsTexture(names[0]));
    EXPECT_FALSE(glIsTexture(names[textureCount - 1]));
    EXPECT_EQ(textures.rockTexture, 0u);
}

namespace {
// A picture of channels samples per pixel whose every sample differs from
// its neighbours, so that a shifted row shows.
Image patterned(uint32_t width, uint32_t height, int channels) {
    Image image;
    image.width = width;
    image.height = height;
    image.bitDepth = 8;
    image.channels = static_cast<uint8_t>(channels);
    const uint64_t size = image.rowBytes() * height;
    image.pixels = new uint8_t[size];
    for (uint64_t i = 0; i < size; ++i)
        image.pixels[i] = static_cast<uint8_t>(i * 37 + 11);
    return image;
}

// The same rows, each padded to a multiple of four bytes.
std::vector<uint8_t> paddedRows(const Image& image) {
    const uint64_t row = image.rowBytes(), padded = (row + 3) / 4 * 4;
    std::vector<uint8_t> out(padded * image.height, 0);
    for (uint32_t y = 0; y < image.height; ++y)
        std::copy(image.pixels + y * row, image.pixels + (y + 1) * row, out.begin() + y * padded);
    return out;
}

std::vector<uint8_t> texels(GLuint name, int level, GLenum format, int channels) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!out.empty())
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, out.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return out;
}
}  // namespace

// Rows of 1, 2 or 3 channels of odd width are not whole multiples of four
// bytes: the upload must still take each row where it starts, and read no
// byte past the picture (the sanitizer build would see it).
TEST(PictureUpload, RowsOfAnyLengthArriveExactly) {
    for (int channels = 1; channels <= 4; ++channels) {
        for (uint32_t width : {3u, 5u, 10u}) {
            for (TextureUpload upload : {TextureUpload::OneLevel, TextureUpload::Mipmaps}) {
                SCOPED_TRACE(::testing::Message() << channels << " channels, width " << width
                                                  << (upload == TextureUpload::Mipmaps ? ", mipmaps" : ""));
                const Image picture = patterned(width, 6, channels);
                const GLenum format = formatForChannels(channels);
                GLuint names[2];
                glGenTextures(2, names);
                glBindTexture(GL_TEXTURE_2D, names[0]);
                uploadPicture(picture, upload);
                EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 4) << "the GL's alignment is restored";
                // The reference: rows padded to GL's default alignment.
                const std::vector<uint8_t> padded = paddedRows(picture);
                glBindTexture(GL_TEXTURE_2D, names[1]);
                if (upload == TextureUpload::Mipmaps)
                    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), static_cast<GLint>(width), 6,
                                      format, GL_UNSIGNED_BYTE, padded.data());
                else
                    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), static_cast<GLint>(width), 6,
                                 0, format, GL_UNSIGNED_BYTE, padded.data());
                const auto level0 = texels(names[0], 0, format, channels);
                EXPECT_EQ(level0, texels(names[1], 0, format, channels));
                if (upload == TextureUpload::OneLevel) {
                    EXPECT_EQ(level0, std::vector<uint8_t>(picture.pixels, picture.pixels + picture.rowBytes() * 6));
                } else {
                    const auto level1 = texels(names[0], 1, format, channels);
                    EXPECT_FALSE(level1.empty()) << "the mipmaps exist";
                    EXPECT_EQ(level1, texels(names[1], 1, format, channels));
                }
                glDeleteTextures(2, names);
            }
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShippedPictures, EveryPictureDecodesWithItsSizeAndChannels) {
    for (const PictureSpec& spec : shipped) {
        SCOPED_TRACE(spec.name);
        const Image image = loadPng(std::string(CORVANE_DATA_DIR) + "/" + spec.name);
        EXPECT_EQ(image.width, spec.width);
        EXPECT_EQ(image.height, spec.height);
        EXPECT_EQ(image.channels, spec.channels);
        EXPECT_EQ(image.bitDepth, 8);
        EXPECT_EQ(image.width & (image.width - 1), 0u) << "a power of two";
        EXPECT_EQ(image.height & (image.height - 1), 0u) << "a power of two";
    }
}

#ifdef CORVANE_MAKE_PICTURES   // the generator is built where the pictures are made
TEST(ShippedPictures, GeneratorReproducesThemByteForByte) {
    const std::string dir = freshFolder("pictures");
    ASSERT_EQ(std::system((std::string(CORVANE_MAKE_PICTURES) + " " + dir + " " + CORVANE_PO_DIR).c_str()), 0);
    // Every picture it makes is shipped as made.
    std::vector<std::string> names;
    for (const PictureSpec& spec : shipped)
        names.push_back(spec.name);
    for (const std::string& name : names) {
        const auto made = readBytes(dir + "/" + name);
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == readBytes(std::string(CORVANE_DATA_DIR) + "/" + name)) << name;
    }
}
#endif

// Damaged pictures: the damaged picture's texture is empty (or holds what
// the file really has), the others load as shipped, and the GL reports no
// error. Each way of damage hits another picture, mipmapped or not; the
// last case damages all twelve at once, each in its own way.
class DamagedPictureTest : public TextureSetTest, public ::testing::WithParamInterface<int> {
public:
    static constexpr int kinds = static_cast<int>(std::size(everyDamage));
    static constexpr int allAtOnce = kinds;
    // The damage done to picture i in this case, if any.
    static bool damageOf(int testCase, int i, Damage& damage) {
        if (testCase == allAtOnce || i == testCase) {
            damage = everyDamage[i % kinds];
            return true;
        }
        return false;
    }
};

TEST_P(DamagedPictureTest, OnlyTheDamagedPicturesAreLost) {
    const std::string dir = freshFolder("damaged");
    for (const TextureEntry& entry : textureTable)
        std::filesystem::copy_file(std::string(CORVANE_DATA_DIR) + "/" + entry.fileName, dir + "/" + entry.fileName);
    Damage damage;
    for (int i = 0; i < textureCount; ++i)
        if (damageOf(GetParam(), i, damage)) {
            ASSERT_TRUE(damagePicture(dir + "/" + shipped[i].name, damage));
        }
    while (glGetError() != GL_NO_ERROR) {
    }
    loadTexturesIn(dir);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (int i = 0; i < textureCount; ++i) {
        SCOPED_TRACE(shipped[i].name);
        const GLuint name = nameOf(i);
        ASSERT_NE(name, 0u);
        GLint expected = static_cast<GLint>(shipped[i].width);
        if (damageOf(GetParam(), i, damage))
            expected = damageKeepsAPicture(damage) ? static_cast<GLint>(damagedSide) : 0;
        EXPECT_EQ(levelParameter(name, GL_TEXTURE_WIDTH), expected);
        EXPECT_EQ(textureParameter(name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(textureParameter(name, GL_TEXTURE_WRAP_T), i == 8 || i == 9 ? GL_CLAMP : GL_REPEAT)
            << "set whatever the picture holds";
    }
}

INSTANTIATE_TEST_SUITE_P(EachWay, DamagedPictureTest, ::testing::Range(0, DamagedPictureTest::allAtOnce + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             if (info.param == DamagedPictureTest::allAtOnce)
                                 return std::string("AllTwelve");
                             std::string name = shipped[info.param].name;
                             return std::string(damageName(everyDamage[info.param])) + "_" +
                                    name.substr(0, name.find('.'));
                         });
