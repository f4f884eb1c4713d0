// gl11: OpenGL 1.1's fixed pipeline, as far as the program and FTGL use it,
// over OpenGL ES 2: the state kept here, one shader pair drawing it.
#include "gl11/gl11.h"
#include "gl11/matrices.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <map>

namespace {
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
// The scene's ambient light: GL's default, which the program keeps.
constexpr float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};

// The inverse transpose of the upper 3 by 3 part, which takes normals to
// the eye's space; column major.
void normalMatrix(const float* m, float out[9]) {
    out[0] = m[5] * m[10] - m[9] * m[6];
    out[1] = m[8] * m[6] - m[4] * m[10];
    out[2] = m[4] * m[9] - m[8] * m[5];
    out[3] = m[9] * m[2] - m[1] * m[10];
    out[4] = m[0] * m[10] - m[8] * m[2];
    out[5] = m[8] * m[1] - m[0] * m[9];
    out[6] = m[1] * m[6] - m[5] * m[2];
    out[7] = m[4] * m[2] - m[0] * m[6];
    out[8] = m[0] * m[5] - m[4] * m[1];
    const float determinant = m[0] * out[0] + m[4] * out[3] + m[8] * out[6];
    for (int i = 0; i < 9 && determinant != 0; ++i)
        out[i] /= determinant;
}

// ---- State -----------------------------------------------------------------

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
    std::vector<Saved> savedSwitches;
    std::vector<PixelStore> savedPixels;
    // The drawing: one program, one buffer.
    GLuint program = 0, buffer = 0;
    GLint uModelView = -1, uProjection = -1, uNormalMatrix = -1, uTransformed = -1, uLighting = -1,
          uLightDirection = -1, uLightDiffuse = -1, uSceneAmbient = -1, uColourMaterial = -1, uMaterial = -1,
          uTexturing = -1, uAlphaTexture = -1, uBorderAlpha = -1, uClamp = -1, uTextureSize = -1, uTexture = -1;
};

State& state() {
    static State s;
    return s;
}

// While a list is being compiled, call is recorded in it instead of run.
bool recorded(const Recorded& call) {
    State& s = state();
    if (s.compiling == 0)
        return false;
    s.lists[s.compiling].push_back(call);
    return true;
}

// ---- The shader pair --------------------------------------------------------

const char* const vertexShader = R"(
attribute vec3 aPosition;
attribute vec3 aNormal;
attribute vec4 aColour;
attribute vec2 aTexture;
uniform mat4 uModelView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform bool uTransformed;
uniform bool uLighting;
uniform vec3 uLightDirection;
uniform vec4 uLightDiffuse;
uniform vec4 uSceneAmbient;
uniform bool uColourMaterial;
uniform vec4 uMaterial;
varying vec4 vColour;
varying vec2 vTexture;
void main() {
    gl_Position = uTransformed ? vec4(aPosition, 1.0) : uProjection * (uModelView * vec4(aPosition, 1.0));
    vTexture = aTexture;
    if (!uLighting) {
        vColour = clamp(aColour, 0.0, 1.0);
        return;
    }
    vec4 material = uColourMaterial ? aColour : uMaterial;
    float facing = max(dot(uNormalMatrix * aNormal, uLightDirection), 0.0);
    vec3 colour = material.rgb * uSceneAmbient.rgb + facing * material.rgb * uLightDiffuse.rgb;
    vColour = clamp(vec4(colour, material.a), 0.0, 1.0);
}
)";

const char* const fragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D uTexture;
uniform bool uTexturing;
uniform bool uAlphaTexture;
uniform vec2 uClamp;
uniform vec2 uTextureSize;
uniform float uBorderAlpha;
varying vec4 vColour;
varying vec2 vTexture;
void main() {
    vec4 colour = vColour;
    if (uTexturing) {
        vec4 texel = texture2D(uTexture, vTexture);
        // GL_CLAMP: within half a texel of an edge, linear filtering takes
        // in the border beyond it, black, and transparent where the picture
        // has an alpha.
        vec2 at = clamp(vTexture, 0.0, 1.0);
        vec2 inside = clamp(min(at, 1.0 - at) * uTextureSize + 0.5, 0.0, 1.0);
        vec2 weight = mix(vec2(1.0), inside, uClamp);
        texel = mix(vec4(0.0, 0.0, 0.0, uBorderAlpha), texel, weight.x * weight.y);
        if (uAlphaTexture)
            texel.rgb = vec3(1.0);
        colour *= texel;
    }
    gl_FragColor = colour;
}
)";

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

void makeProgram() {
    State& s = state();
    s.program = glCreateProgram();
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexShader), fragment = compile(GL_FRAGMENT_SHADER, fragmentShader);
    glAttachShader(s.program, vertex);
    glAttachShader(s.program, fragment);
    const char* const attributes[] = {"aPosition", "aNormal", "aColour", "aTexture"};
    for (GLuint i = 0; i < 4; ++i)
        glBindAttribLocation(s.program, i, attributes[i]);
    glLinkProgram(s.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    const auto at = [&](const char* name) { return glGetUniformLocation(s.program, name); };
    s.uModelView = at("uModelView");
    s.uProjection = at("uProjection");
    s.uNormalMatrix = at("uNormalMatrix");
    s.uTransformed = at("uTransformed");
    s.uLighting = at("uLighting");
    s.uLightDirection = at("uLightDirection");
    s.uLightDiffuse = at("uLightDiffuse");
    s.uSceneAmbient = at("uSceneAmbient");
    s.uColourMaterial = at("uColourMaterial");
    s.uMaterial = at("uMaterial");
    s.uTexturing = at("uTexturing");
    s.uAlphaTexture = at("uAlphaTexture");
    s.uBorderAlpha = at("uBorderAlpha");
    s.uClamp = at("uClamp");
    s.uTextureSize = at("uTextureSize");
    s.uTexture = at("uTexture");
    glGenBuffers(1, &s.buffer);
}

// The bound texture when it takes part: texturing on and a complete picture
// (GL 1.1 draws without a texture whose picture is missing).
const TextureInfo* activeTexture() {
    State& s = state();
    if (!s.switches.texturing)
        return nullptr;
    const auto it = s.textures.find(s.boundTexture);
    if (it == s.textures.end() || !it->second.hasImage || (it->second.mipmapFilter && !it->second.hasMipmaps))
        return nullptr;
    return &it->second;
}

// Draws the triangles gathered, through the matrices or (transformed)
// already in clip space, in one upload and one draw.
void drawTriangles(bool transformed) {
    State& s = state();
    if (s.triangles.empty())
        return;
    if (s.program == 0)
        makeProgram();
    glUseProgram(s.program);
    const gl11::Matrix& modelView = gl11::currentMatrix(gl11::modelViewStack);
    glUniformMatrix4fv(s.uModelView, 1, GL_FALSE, modelView.m);
    glUniformMatrix4fv(s.uProjection, 1, GL_FALSE, gl11::currentMatrix(gl11::projectionStack).m);
    float normals[9];
    normalMatrix(modelView.m, normals);
    glUniformMatrix3fv(s.uNormalMatrix, 1, GL_FALSE, normals);
    glUniform1i(s.uTransformed, transformed);
    glUniform1i(s.uLighting, s.switches.lighting && !transformed);
    const float dark[4] = {0, 0, 0, 1};
    glUniform3fv(s.uLightDirection, 1, s.lightDirection);
    glUniform4fv(s.uLightDiffuse, 1, s.switches.light0 ? s.lightDiffuse : dark);
    glUniform4fv(s.uSceneAmbient, 1, sceneAmbient);
    glUniform1i(s.uColourMaterial, s.switches.colourMaterial);
    glUniform4fv(s.uMaterial, 1, s.material);
    const TextureInfo* texture = activeTexture();
    glUniform1i(s.uTexturing, texture != nullptr);
    glUniform1i(s.uTexture, 0);
    if (texture != nullptr) {
        glUniform1i(s.uAlphaTexture, texture->format == ALPHA);
        glUniform1f(s.uBorderAlpha, texture->format == RGB || texture->format == LUMINANCE ? 1.0f : 0.0f);
        glUniform2f(s.uClamp, texture->clampS ? 1.0f : 0.0f, texture->clampT ? 1.0f : 0.0f);
        glUniform2f(s.uTextureSize, static_cast<float>(texture->width), static_cast<float>(texture->height));
    }
    glBindBuffer(GL_ARRAY_BUFFER, s.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(s.triangles.size() * sizeof(Vertex)), s.triangles.data(),
                 GL_STREAM_DRAW);
    const size_t offsets[] = {offsetof(Vertex, position), offsetof(Vertex, normal), offsetof(Vertex, colour),
                              offsetof(Vertex, texture)};
    const GLint sizes[] = {3, 3, 4, 2};
    for (GLuint i = 0; i < 4; ++i) {
        glEnableVertexAttribArray(i);
        glVertexAttribPointer(i, sizes[i], GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(offsets[i]));
    }
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(s.triangles.size()));
    s.triangles.clear();
}

// A vertex through the matrices and the viewport: window x and y, and the
// depth in normalised device coordinates.
void toWindow(const Vertex& v, float out[3]) {
    State& s = state();
    const gl11::Matrix mvp = gl11::multiply(gl11::currentMatrix(gl11::projectionStack), gl11::currentMatrix(gl11::modelViewStack));
    float clip[4];
    for (int i = 0; i < 4; ++i)
        clip[i] = mvp.m[i] * v.position[0] + mvp.m[4 + i] * v.position[1] + mvp.m[8 + i] * v.position[2] + mvp.m[12 + i];
    out[0] = s.viewport[0] + (clip[0] / clip[3] + 1) * s.viewport[2] / 2;
    out[1] = s.viewport[1] + (clip[1] / clip[3] + 1) * s.viewport[3] / 2;
    out[2] = clip[2] / clip[3];
}

// A vertex at window x and y and depth z in normalised device coordinates,
// in clip space, its other attributes from the vertex given.
Vertex fromWindow(float x, float y, float z, const Vertex& from) {
    const int* viewport = state().viewport;
    Vertex v = from;
    v.position[0] = (x - viewport[0]) / viewport[2] * 2 - 1;
    v.position[1] = (y - viewport[1]) / viewport[3] * 2 - 1;
    v.position[2] = z;
    return v;
}

// A line segment as a quad of the line width, made in window pixels and
// handed over in clip space.
void lineQuad(const Vertex& a, const Vertex& b) {
    State& s = state();
    float p[3], q[3];
    toWindow(a, p);
    toWindow(b, q);
    const float dx = q[0] - p[0], dy = q[1] - p[1], length = std::hypot(dx, dy);
    if (length == 0)
        return;
    const float nx = -dy / length * s.lineWidth / 2, ny = dx / length * s.lineWidth / 2;
    const auto corner = [&](const float* w, const Vertex& from, float side) {
        return fromWindow(w[0] + side * nx, w[1] + side * ny, w[2], from);
    };
    const Vertex c[4] = {corner(p, a, -1), corner(q, b, -1), corner(q, b, 1), corner(p, a, 1)};
    for (int i : {0, 1, 2, 0, 2, 3})
        s.triangles.push_back(c[i]);
}

void drawGathered() {
    State& s = state();
    const std::vector<Vertex>& v = s.vertices;
    if (s.primitive == GL_LINE_STRIP || s.primitive == GL_LINE_LOOP) {
        for (size_t i = 0; i + 1 < v.size(); ++i)
            lineQuad(v[i], v[i + 1]);
        if (s.primitive == GL_LINE_LOOP && v.size() > 1)
            lineQuad(v.back(), v.front());
        drawTriangles(true);
        return;
    }
    if (s.primitive == GL_TRIANGLES) {
        s.triangles.insert(s.triangles.end(), v.begin(), v.begin() + static_cast<long>(v.size() - v.size() % 3));
    } else if (s.primitive == QUADS) {
        // Each quad as two triangles that keep its winding, split from its
        // second vertex to its fourth as Mesa splits it: across a quad that
        // is not a parallelogram (the cones' sides) the picture's mapping
        // follows the diagonal.
        for (size_t i = 0; i + 3 < v.size(); i += 4)
            for (size_t k : {0, 1, 3, 1, 2, 3})
                s.triangles.push_back(v[i + k]);
    }
    drawTriangles(false);
}

void setSwitch(GLenum capability, bool on) {
    Switches& w = state().switches;
    const auto es = [&](GLenum c, bool& kept) {
        kept = on;
        on ? glEnable(c) : glDisable(c);
    };
    switch (capability) {
    case GL_BLEND: es(GL_BLEND, w.blend); break;
    case GL_CULL_FACE: es(GL_CULL_FACE, w.cull); break;
    case GL_DEPTH_TEST: es(GL_DEPTH_TEST, w.depth); break;
    case GL_POLYGON_OFFSET_FILL: es(GL_POLYGON_OFFSET_FILL, w.offsetFill); break;
    case TEXTURING: w.texturing = on; break;
    case LIGHTING: w.lighting = on; break;
    case LIGHT0: w.light0 = on; break;
    case COLOR_MATERIAL:
        w.colourMaterial = on;
        if (on)   // the material takes the current colour at once
            std::copy(state().current.colour, state().current.colour + 4, state().material);
        break;
    default: break;   // smoothing of lines and points: the lines are quads already
    }
}

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

namespace gl11 {

// ---- Immediate mode -----------------------------------------------------------

void Begin(unsigned mode) {
    if (recorded([=] { Begin(mode); }))
        return;
    State& s = state();
    s.inBegin = true;
    s.primitive = mode;
    s.vertices.clear();
}

void End() {
    if (recorded([] { End(); }))
        return;
    state().inBegin = false;
    drawGathered();
}

void Vertex3f(float x, float y, float z) {
    if (recorded([=] { Vertex3f(x, y, z); }))
        return;
    State& s = state();
    Vertex v = s.current;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    if (s.inBegin)
        s.vertices.push_back(v);
}

void Vertex2f(float x, float y) { Vertex3f(x, y, 0); }
void Vertex3fv(const float* v) { Vertex3f(v[0], v[1], v[2]); }

void Normal3f(float x, float y, float z) {
    if (recorded([=] { Normal3f(x, y, z); }))
        return;
    float* n = state().current.normal;
    n[0] = x;
    n[1] = y;
    n[2] = z;
}

void Normal3fv(const float* v) { Normal3f(v[0], v[1], v[2]); }

void TexCoord2f(float s, float t) {
    if (recorded([=] { TexCoord2f(s, t); }))
        return;
    state().current.texture[0] = s;
    state().current.texture[1] = t;
}

void TexCoord2fv(const float* v) { TexCoord2f(v[0], v[1]); }

void Color4f(float r, float g, float b, float a) {
    if (recorded([=] { Color4f(r, g, b, a); }))
        return;
    State& s = state();
    float* c = s.current.colour;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
    if (s.switches.colourMaterial)
        std::copy(c, c + 4, s.material);
}

void Color3f(float r, float g, float b) { Color4f(r, g, b, 1); }
void Color4fv(const float* v) { Color4f(v[0], v[1], v[2], v[3]); }

void Enable(unsigned capability) { setSwitch(capability, true); }
void Disable(unsigned capability) { setSwitch(capability, false); }

// ---- Queries ----------------------------------------------------------------------

void GetFloatv(unsigned name, float* values) {
    if (name == MODELVIEW_MATRIX || name == PROJECTION_MATRIX) {
        const gl11::Matrix& m = gl11::currentMatrix(name == PROJECTION_MATRIX ? gl11::projectionStack : gl11::modelViewStack);
        std::copy(m.m, m.m + 16, values);
        return;
    }
    glGetFloatv(name, values);
}

void GetDoublev(unsigned name, double* values) {
    float f[16];
    GetFloatv(name, f);
    std::copy(f, f + 16, values);
}

void GetIntegerv(unsigned name, int* values) {
    State& s = state();
    if (name == GL_VIEWPORT && s.viewportSet)
        std::copy(s.viewport, s.viewport + 4, values);
    else if (name == GL_UNPACK_ALIGNMENT)
        values[0] = s.pixels.unpackAlignment;
    else if (name == GL_PACK_ALIGNMENT)
        values[0] = s.pixels.packAlignment;
    else
        glGetIntegerv(name, values);
}

// ---- Raster state ---------------------------------------------------------------------

void Viewport(int x, int y, int width, int height) {
    State& s = state();
    const int v[4] = {x, y, width, height};
    std::copy(v, v + 4, s.viewport);
    s.viewportSet = true;
    glViewport(x, y, width, height);
}

void Clear(unsigned mask) { glClear(mask); }
void ClearColor(float r, float g, float b, float a) { glClearColor(r, g, b, a); }

void BlendFunc(unsigned source, unsigned destination) {
    state().blendSource = source;
    state().blendDestination = destination;
    glBlendFunc(source, destination);
}

void DepthMask(unsigned char flag) { glDepthMask(flag); }
void PolygonOffset(float factor, float units) { glPolygonOffset(factor, units); }
// Filled polygons and smooth shading, the only ones drawn here.
void PolygonMode(unsigned, unsigned) {}
void ShadeModel(unsigned) {}
void LineWidth(float width) { state().lineWidth = width; }

void Lightfv(unsigned light, unsigned name, const float* values) {
    State& s = state();
    if (light != LIGHT0)
        return;
    if (name == DIFFUSE)
        std::copy(values, values + 4, s.lightDiffuse);
    if (name != POSITION)
        return;
    // A direction (w 0) into the eye's space through the modelview now.
    const float* m = gl11::currentMatrix(gl11::modelViewStack).m;
    float length = 0;
    for (int i = 0; i < 3; ++i) {
        s.lightDirection[i] = m[i] * values[0] + m[4 + i] * values[1] + m[8 + i] * values[2];
        length += s.lightDirection[i] * s.lightDirection[i];
    }
    for (float& d : s.lightDirection)
        d /= std::sqrt(length);
}

// The material's specular colour, the only one the program gives, is
// black: nothing to draw.
void Materialfv(unsigned, unsigned, const float*) {}
// Textures are modulated: the only environment the program asks for.
void TexEnvi(unsigned, unsigned, int) {}

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

unsigned char IsTexture(unsigned name) { return glIsTexture(name); }

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

// ---- Display lists ------------------------------------------------------------------------

unsigned GenLists(int range) {
    State& s = state();
    const GLuint first = s.nextList;
    for (int i = 0; i < range; ++i)
        s.lists[first + static_cast<GLuint>(i)];
    s.nextList += static_cast<GLuint>(range);
    return first;
}

void NewList(unsigned list, unsigned) {
    state().lists[list].clear();
    state().compiling = list;
}

void EndList() { state().compiling = 0; }

void CallList(unsigned list) {
    const auto it = state().lists.find(list);
    if (it == state().lists.end())
        return;
    for (const Recorded& call : it->second)
        call();
}

void DeleteLists(unsigned list, int range) {
    for (int i = 0; i < range; ++i)
        state().lists.erase(list + static_cast<GLuint>(i));
}

// ---- Attribute stacks -----------------------------------------------------------------------

void PushAttrib(unsigned mask) {
    State& s = state();
    s.savedSwitches.push_back({mask, s.switches, s.blendSource, s.blendDestination});
}

void PopAttrib() {
    State& s = state();
    if (s.savedSwitches.empty())
        return;
    const Saved saved = s.savedSwitches.back();
    s.savedSwitches.pop_back();
    if (saved.mask & ENABLE_BIT) {
        const Switches& w = saved.switches;
        setSwitch(GL_BLEND, w.blend);
        setSwitch(GL_CULL_FACE, w.cull);
        setSwitch(GL_DEPTH_TEST, w.depth);
        setSwitch(GL_POLYGON_OFFSET_FILL, w.offsetFill);
        setSwitch(TEXTURING, w.texturing);
        setSwitch(LIGHTING, w.lighting);
        setSwitch(LIGHT0, w.light0);
        s.switches.colourMaterial = w.colourMaterial;
    }
    if (saved.mask & COLOUR_BUFFER_BIT) {
        setSwitch(GL_BLEND, saved.switches.blend);
        BlendFunc(saved.blendSource, saved.blendDestination);
    }
}

void PushClientAttrib(unsigned) { state().savedPixels.push_back(state().pixels); }

void PopClientAttrib() {
    State& s = state();
    if (s.savedPixels.empty())
        return;
    s.pixels = s.savedPixels.back();
    s.savedPixels.pop_back();
}

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
