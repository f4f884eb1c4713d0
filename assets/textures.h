// The texture set: the twelve pictures as GL textures.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

struct Image;

// The twelve texture names, 0 until loadTextures makes them.
struct TextureSet {
    GLuint rockTexture = 0;
    GLuint landTexture = 0;
    GLuint magmaTexture = 0;
    GLuint sedimentTexture = 0;
    GLuint crustTexture = 0;
    GLuint underlayTexture = 0;
    GLuint overlayTexture = 0;
    GLuint featuresTexture = 0;
    GLuint smokeTexture = 0;
    GLuint seepageTexture = 0;
    GLuint arrowTexture = 0;
    GLuint logoTexture = 0;
};

// The features picture's own file (the labels in English).
constexpr const char* featuresFileName = "corvane_features.png";

// How a picture goes to the GL.
enum class TextureUpload { Mipmaps, OneLevel };

// One row of the texture set.
struct TextureEntry {
    const char* fileName;
    GLuint TextureSet::*name;
    TextureUpload upload;
    bool clamp;   // smoke and seepage do not repeat
};
constexpr int textureCount = 12;
// The pictures in the order their textures are made (and deleted).
inline constexpr const TextureEntry textureTable[textureCount] = {
    {"rock.png", &TextureSet::rockTexture, TextureUpload::Mipmaps, false},
    {"land.png", &TextureSet::landTexture, TextureUpload::Mipmaps, false},
    {"magma.png", &TextureSet::magmaTexture, TextureUpload::Mipmaps, false},
    {"sediment.png", &TextureSet::sedimentTexture, TextureUpload::Mipmaps, false},
    {"crust.png", &TextureSet::crustTexture, TextureUpload::Mipmaps, false},
    {"corvane_underlay.png", &TextureSet::underlayTexture, TextureUpload::OneLevel, false},
    {"corvane_overlay.png", &TextureSet::overlayTexture, TextureUpload::OneLevel, false},
    {featuresFileName, &TextureSet::featuresTexture, TextureUpload::OneLevel, false},
    {"corvane_smoke.png", &TextureSet::smokeTexture, TextureUpload::OneLevel, true},
    {"corvane_seepage.png", &TextureSet::seepageTexture, TextureUpload::OneLevel, true},
    {"arrow.png", &TextureSet::arrowTexture, TextureUpload::OneLevel, false},
    {"qlogo.png", &TextureSet::logoTexture, TextureUpload::OneLevel, false},
};

// The GL format for a decoded picture's channel count, 0 for none.
GLenum formatForChannels(int channels);

// Uploads a decoded picture into the bound 2D texture, as one level or with
// mipmaps; a picture without 1 to 4 channels uploads nothing. Rows are
// read tightly packed, whatever their length.
void uploadPicture(const Image& picture, TextureUpload upload);

// Reads the twelve pictures from the working directory and makes their
// textures; a picture that cannot be read leaves its texture empty.
// featuresFile, when given, is read in place of the features picture (the
// labels in another language). Gives the files that could not be read, in
// the table's order.
std::vector<std::string> loadTextures(TextureSet& textures, const char* featuresFile = nullptr);
// Deletes the twelve textures, in the order they were made.
void deleteTextures(TextureSet& textures);
