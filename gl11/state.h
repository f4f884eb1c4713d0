// The subset's own state and what its files share: the GL 1.1 state kept
// here, the drawing through the one shader pair, and the names of GL 1.1
// that OpenGL ES 2 does not have. For the subset's own files only.
#pragma once

#include <GLES2/gl2.h>

#include <functional>
#include <map>
#include <vector>

#include "gl11/matrices.h"

namespace gl11 {
// GL 1.1's names that OpenGL ES 2 does not have.
constexpr GLenum QUADS = 0x0007;
constexpr GLenum MODELVIEW_MATRIX = 0x0BA6, PROJECTION_MATRIX = 0x0BA7;
constexpr GLenum LIGHTING = 0x0B50, LIGHT0 = 0x4000, COLOR_MATERIAL = 0x0B57, TEXTURING = 0x0DE1;
constexpr GLenum DIFFUSE = 0x1201, POSITION = 0x1203;
constexpr GLenum LUMINANCE = 0x1909, LUMINANCE_ALPHA = 0x190A, ALPHA = 0x1906, RGB = 0x1907;
constexpr GLenum CLAMP = 0x2900;
constexpr int GLU_INVALID_VALUE = 100901;
constexpr GLenum UNPACK_ROW_LENGTH = 0x0CF2, UNPACK_LSB_FIRST = 0x0CF1;
constexpr GLbitfield ENABLE_BIT = 0x2000, COLOUR_BUFFER_BIT = 0x4000;
constexpr GLenum COMPILE_AND_EXECUTE = 0x1301;
// The scene's ambient light: GL's default, which the program keeps.
constexpr float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};

struct Vertex {
    float position[3];
    float normal[3];
    float colour[4];
    float texture[2];
};

struct Switches {
    bool blend = false, cull = false, depth = false, offsetFill = false;
    bool texturing = false, lighting = false, light0 = false, colourMaterial = false;
};

struct TextureInfo {
    GLenum format = 0;
    int width = 0, height = 0;
    bool clampS = false, clampT = false;
    bool mipmapFilter = true;   // GL's default minifying filter needs mipmaps
    bool hasImage = false, hasMipmaps = false;
};

struct PixelStore {
    int unpackAlignment = 4, unpackRowLength = 0, packAlignment = 4;
    bool unpackLsbFirst = false;
};

struct Saved {
    GLbitfield mask;
    Switches switches;
    GLenum blendSource, blendDestination;
};

using Recorded = std::function<void()>;

struct State {
    Vertex current{{0, 0, 0}, {0, 0, 1}, {1, 1, 1, 1}, {0, 0}};
    bool inBegin = false;
    GLenum primitive = 0;
    std::vector<Vertex> vertices, triangles;
    Switches switches;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    // The rest of the state GL ES holds too, kept to give a new context.
    bool depthMask = true;
    float offsetFactor = 0, offsetUnits = 0;
    float clearColour[4] = {0, 0, 0, 0};
    float lineWidth = 1;
    float raster[2] = {0, 0};   // the raster position, in window pixels
    int viewport[4] = {0, 0, 0, 0};
    bool viewportSet = false;
    float lightDirection[3] = {0, 0, 1};   // towards the light, in the eye's space
    float lightDiffuse[4] = {1, 1, 1, 1};
    float material[4] = {0.8f, 0.8f, 0.8f, 1};   // ambient and diffuse, while colour material is off
    PixelStore pixels;
    std::map<GLuint, TextureInfo> textures;
    GLuint boundTexture = 0;
    std::map<GLuint, std::vector<Recorded>> lists;
    GLuint nextList = 1, compiling = 0;
    bool executeWhileCompiling = false;   // GL_COMPILE_AND_EXECUTE
    std::vector<Saved> savedSwitches;
    std::vector<PixelStore> savedPixels;
    GLenum error = GL_NO_ERROR;   // the first error since GetError, of the subset's own
    // The drawing: one program, one buffer; the program is 0 until made,
    // and stays unusable (with the reason said once) when GL ES refused it.
    GLuint program = 0, buffer = 0;
    bool programFailed = false;
    GLint uModelView = -1, uProjection = -1, uNormalMatrix = -1, uTransformed = -1, uLighting = -1,
          uLightDirection = -1, uLightDiffuse = -1, uSceneAmbient = -1, uColourMaterial = -1, uMaterial = -1,
          uTexturing = -1, uAlphaTexture = -1, uBorderAlpha = -1, uClamp = -1, uTextureSize = -1, uTexture = -1;
};

// The one state of the subset.
State& state();
// While a list is being compiled, call is recorded in it; true when it is
// not to run now (GL_COMPILE), false when it runs as well (not compiling,
// or GL_COMPILE_AND_EXECUTE).
bool recorded(const Recorded& call);
// A switch of GL 1.1: kept here, and passed on where GL ES has it.
void setSwitch(GLenum capability, bool on);
// Records a GL error for GetError, unless one is waiting already (GL keeps
// the first).
void setError(GLenum error);

// Drawing (immediate.cpp): the triangles gathered, through the matrices or
// (transformed) already in clip space, in one upload and one draw.
void drawTriangles(bool transformed);
// A vertex at window x and y and depth z in normalised device coordinates,
// in clip space, its other attributes from the vertex given.
Vertex fromWindow(float x, float y, float z, const Vertex& from);
// Forgets the shader pair and the buffer: made again at the next draw.
void forgetDrawing();
// Forgets every texture, and the binding.
void forgetTextures();
}  // namespace gl11
