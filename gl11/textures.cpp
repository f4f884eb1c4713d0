// The subset's textures: GL 1.1's formats, row lengths and alignments
// unpacked for GL ES, GL_CLAMP drawn by the shader, and GLU's mipmaps.
#include "gl11/gl11.h"
#include "gl11/state.h"

#include <algorithm>

namespace gl11 {
namespace {
// A texture's wrap in GL ES: GL_CLAMP is drawn by the shader over the
// edge's texels; a picture whose sides are not powers of two does not
// repeat in WebGL 1, and is drawn only within 0..1 by this program.
void applyWrap(const TextureInfo& info, GLenum name, GLint value) {
    const bool powerOfTwo = (info.width & (info.width - 1)) == 0 && (info.height & (info.height - 1)) == 0;
    glTexParameteri(GL_TEXTURE_2D, name, value == CLAMP || !powerOfTwo ? GL_CLAMP_TO_EDGE : value);
}

int bytesPerTexel(GLenum format) {
    switch (format) {
    case ALPHA:
    case LUMINANCE: return 1;
    case LUMINANCE_ALPHA: return 2;
    case RGB: return 3;
    default: return 4;
    }
}

// The texels as GL ES takes them: rows tightly packed, after GL 1.1's row
// length and alignment.
std::vector<unsigned char> unpacked(const void* pixels, int width, int height, GLenum format) {
    const PixelStore& p = state().pixels;
    const int size = bytesPerTexel(format);
    const int rowTexels = p.unpackRowLength > 0 ? p.unpackRowLength : width;
    const int alignment = std::max(1, p.unpackAlignment);
    const int stride = (rowTexels * size + alignment - 1) / alignment * alignment;
    std::vector<unsigned char> out(static_cast<size_t>(width) * height * size);
    const auto* in = static_cast<const unsigned char*>(pixels);
    for (int row = 0; row < height; ++row)
        std::copy(in + static_cast<size_t>(row) * stride, in + static_cast<size_t>(row) * stride + width * size,
                  out.begin() + static_cast<long>(row) * width * size);
    return out;
}

TextureInfo* boundTexture() {
    State& s = state();
    return s.boundTexture != 0 ? &s.textures[s.boundTexture] : nullptr;
}

// Uploads one level of the bound texture from tightly packed texels.
void upload(int level, int width, int height, GLenum format, GLenum type, const unsigned char* texels) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(format), width, height, 0, format, type, texels);
}
}  // namespace

void forgetTextures() {
    state().textures.clear();
    state().boundTexture = 0;
}

// ---- Textures ---------------------------------------------------------------------------

void GenTextures(int count, unsigned* names) {
    glGenTextures(count, names);
    for (int i = 0; i < count; ++i)
        state().textures[names[i]] = TextureInfo();
}

void DeleteTextures(int count, const unsigned* names) {
    State& s = state();
    for (int i = 0; i < count; ++i) {
        s.textures.erase(names[i]);
        if (s.boundTexture == names[i])
            s.boundTexture = 0;
    }
    glDeleteTextures(count, names);
}

void BindTexture(unsigned, unsigned name) {
    state().boundTexture = name;
    glBindTexture(GL_TEXTURE_2D, name);
}

// Only the textures made in this context: after a reset, none.
unsigned char IsTexture(unsigned name) { return state().textures.count(name) != 0 && glIsTexture(name); }

void TexImage2D(unsigned, int level, int, int width, int height, int, unsigned format, unsigned type,
                const void* pixels) {
    TextureInfo* info = boundTexture();
    if (info == nullptr)
        return;
    const std::vector<unsigned char> texels =
        pixels != nullptr ? unpacked(pixels, width, height, format) : std::vector<unsigned char>();
    upload(level, width, height, format, type, pixels != nullptr ? texels.data() : nullptr);
    if (level != 0)
        return;
    info->format = format;
    info->width = width;
    info->height = height;
    info->hasImage = true;
    info->hasMipmaps = false;
    applyWrap(*info, GL_TEXTURE_WRAP_S, info->clampS ? CLAMP : GL_REPEAT);
    applyWrap(*info, GL_TEXTURE_WRAP_T, info->clampT ? CLAMP : GL_REPEAT);
}

void TexParameteri(unsigned, unsigned name, int value) {
    TextureInfo* info = boundTexture();
    if (info == nullptr)
        return;
    if (name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) {
        (name == GL_TEXTURE_WRAP_S ? info->clampS : info->clampT) = value == CLAMP;
        applyWrap(*info, name, value);
        return;
    }
    if (name == GL_TEXTURE_MIN_FILTER)
        info->mipmapFilter = value != GL_LINEAR && value != GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, name, value);
}

void PixelStorei(unsigned name, int value) {
    PixelStore& p = state().pixels;
    if (name == GL_UNPACK_ALIGNMENT)
        p.unpackAlignment = value;
    else if (name == UNPACK_ROW_LENGTH)
        p.unpackRowLength = value;
    else if (name == GL_PACK_ALIGNMENT)
        p.packAlignment = value;
    else if (name == UNPACK_LSB_FIRST)
        p.unpackLsbFirst = value != 0;
}

int Build2DMipmaps(unsigned target, int, int width, int height, unsigned format, unsigned type, const void* data) {
    const auto powerOfTwo = [](int side) { return side > 0 && (side & (side - 1)) == 0; };
    if (!powerOfTwo(width) || !powerOfTwo(height))
        return GLU_INVALID_VALUE;
    TexImage2D(target, 0, static_cast<int>(format), width, height, 0, format, type, data);
    const std::vector<unsigned char> picture = unpacked(data, width, height, format);
    const auto levels = mipmapLevels(picture.data(), width, height, bytesPerTexel(format));
    for (size_t n = 1; n < levels.size(); ++n)
        upload(static_cast<int>(n), std::max(1, width >> n), std::max(1, height >> n), format, type, levels[n].data());
    if (TextureInfo* info = boundTexture())
        info->hasMipmaps = true;
    return 0;
}

}  // namespace gl11
