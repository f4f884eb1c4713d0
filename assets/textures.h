// The texture set: the twelve pictures as GL textures.
#pragma once

#include <GL/gl.h>

extern GLuint rockTexture;
extern GLuint landTexture;
extern GLuint magmaTexture;
extern GLuint sedimentTexture;
extern GLuint crustTexture;
extern GLuint underlayTexture;
extern GLuint overlayTexture;
extern GLuint featuresTexture;
extern GLuint smokeTexture;
extern GLuint seepageTexture;
extern GLuint arrowTexture;
extern GLuint logoTexture;

// How a picture goes to the GL.
enum class TextureUpload { Mipmaps, OneLevel };

// One row of the texture set.
struct TextureEntry {
    const char* fileName;
    GLuint* name;
    TextureUpload upload;
    bool clamp;   // smoke and seepage do not repeat
};
constexpr int textureCount = 12;
extern const TextureEntry textureTable[textureCount];

// The GL format for a decoded picture's channel count, 0 for none.
GLenum formatForChannels(int channels);

struct Image;
// Uploads a decoded picture into the bound 2D texture, as one level or with
// mipmaps; a picture without 1 to 4 channels uploads nothing. Rows are
// read tightly packed, whatever their length.
void uploadPicture(const Image& picture, TextureUpload upload);

// Reads the twelve pictures from the working directory and makes their
// textures; a picture that cannot be read leaves its texture empty.
void loadTextures();
// Deletes the twelve textures, in the order they were made.
void deleteTextures();
