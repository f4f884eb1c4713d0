// The texture set: reading the pictures and uploading them.
#include "assets/textures.h"

#include <GL/glu.h>

#include "assets/image.h"

GLenum formatForChannels(int channels) {
    switch (channels) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    case 4: return GL_RGBA;
    default: return 0;
    }
}

void uploadPicture(const Image& picture, TextureUpload upload) {
    const GLenum format = formatForChannels(picture.channels);
    if (format == 0)
        return;
    const GLint w = static_cast<GLint>(picture.width), h = static_cast<GLint>(picture.height);
    // The decoder packs rows tightly; with GL's default alignment of 4 a row
    // of grey, palette or odd-width RGB pixels would be read past its end.
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (upload == TextureUpload::Mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), w, h, format,
                          GL_UNSIGNED_BYTE, picture.pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), w, h, 0, format,
                     GL_UNSIGNED_BYTE, picture.pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

std::vector<std::string> loadTextures(TextureSet& textures, const char* featuresFile) {
    Image picture;
    std::vector<std::string> unread;
    for (const TextureEntry& entry : textureTable) {
        const bool replaced = featuresFile != nullptr && entry.name == &TextureSet::featuresTexture;
        picture = loadPng(replaced ? featuresFile : entry.fileName);
        if (picture.empty())
            unread.push_back(replaced ? featuresFile : entry.fileName);
        GLuint& name = textures.*entry.name;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        uploadPicture(picture, entry.upload);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        const bool mipmapped = entry.upload == TextureUpload::Mipmaps;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        if (entry.clamp) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        }
    }
    return unread;
}

void deleteTextures(TextureSet& textures) {
    for (const TextureEntry& entry : textureTable) {
        glDeleteTextures(1, &(textures.*entry.name));
        textures.*entry.name = 0;
    }
}
