// The subset's bitmaps and read-back: glBitmap drawn as pixels of the
// raster colour, and the frame read as GL 1.1 packs it.
#include "gl11/gl11.h"
#include "gl11/state.h"

#include <algorithm>
#include <cmath>

namespace gl11 {

// ---- Bitmaps ------------------------------------------------------------------------------------

// The raster position is never set (glRasterPos is not in the subset): it
// starts at the window's lower left corner with GL's white raster colour.
// The bitmap's set bits are drawn as pixels of that colour, untextured.
void Bitmap(int width, int height, float xorig, float yorig, float xmove, float ymove, const unsigned char* bitmap) {
    State& s = state();
    if (bitmap != nullptr && width > 0 && height > 0) {
        const PixelStore& p = s.pixels;
        const int rowBits = p.unpackRowLength > 0 ? p.unpackRowLength : width;
        const int alignment = std::max(1, p.unpackAlignment);
        const int stride = ((rowBits + 7) / 8 + alignment - 1) / alignment * alignment;
        const float left = std::floor(s.raster[0] - xorig), bottom = std::floor(s.raster[1] - yorig);
        Vertex white = s.current;
        std::fill(white.colour, white.colour + 4, 1.0f);
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const unsigned char byte = bitmap[row * stride + column / 8];
                if (((p.unpackLsbFirst ? byte >> (column % 8) : byte >> (7 - column % 8)) & 1) == 0)
                    continue;
                const float x = left + static_cast<float>(column), y = bottom + static_cast<float>(row);
                const Vertex c[4] = {fromWindow(x, y, -1, white), fromWindow(x + 1, y, -1, white),
                                     fromWindow(x + 1, y + 1, -1, white), fromWindow(x, y + 1, -1, white)};
                for (int i : {0, 1, 2, 0, 2, 3})
                    s.triangles.push_back(c[i]);
            }
        const bool texturing = s.switches.texturing;
        s.switches.texturing = false;
        drawTriangles(true);
        s.switches.texturing = texturing;
    }
    s.raster[0] += xmove;
    s.raster[1] += ymove;
}

// ---- Reading the frame -------------------------------------------------------------------------

// GL ES reads the frame it draws into, back buffer or framebuffer object.
void ReadBuffer(unsigned) {}

void ReadPixels(int x, int y, int width, int height, unsigned format, unsigned, void* pixels) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const int size = format == RGB ? 3 : 4;
    const int alignment = std::max(1, state().pixels.packAlignment);
    const int stride = (width * size + alignment - 1) / alignment * alignment;
    auto* out = static_cast<unsigned char*>(pixels);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            std::copy_n(&rgba[(static_cast<size_t>(row) * width + column) * 4], size,
                        out + static_cast<size_t>(row) * stride + static_cast<size_t>(column) * size);
}

}  // namespace gl11
