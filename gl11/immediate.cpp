// The subset's immediate mode and its drawing: vertices gathered between
// glBegin and glEnd, drawn through one shader pair that computes GL 1.1's
// light, colour material and texturing, in one upload and one draw.
#include "gl11/gl11.h"
#include "gl11/state.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

namespace gl11 {
namespace {

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

// ---- The shader pair --------------------------------------------------------

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

// A shader, or 0 with GL ES's reason said once on standard error (the web
// page's console): the canvas would otherwise stay blank without a word.
GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint done = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &done);
    if (done == GL_TRUE)
        return shader;
    char log[1024] = "";
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "gl11: the %s shader does not compile: %s\n", kind == GL_VERTEX_SHADER ? "vertex" : "fragment",
                 log);
    glDeleteShader(shader);
    return 0;
}

// The shader pair and the buffer; false, once and for all, when GL ES
// refuses the pair.
bool makeProgram() {
    State& s = state();
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexShader), fragment = compile(GL_FRAGMENT_SHADER, fragmentShader);
    s.program = glCreateProgram();
    if (vertex != 0)
        glAttachShader(s.program, vertex);
    if (fragment != 0)
        glAttachShader(s.program, fragment);
    const char* const attributes[] = {"aPosition", "aNormal", "aColour", "aTexture"};
    for (GLuint i = 0; i < 4; ++i)
        glBindAttribLocation(s.program, i, attributes[i]);
    glLinkProgram(s.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(s.program, GL_LINK_STATUS, &linked);
    if (vertex == 0 || fragment == 0 || linked != GL_TRUE) {
        if (vertex != 0 && fragment != 0) {
            char log[1024] = "";
            glGetProgramInfoLog(s.program, sizeof log, nullptr, log);
            std::fprintf(stderr, "gl11: the shaders do not link: %s\n", log);
        }
        glDeleteProgram(s.program);
        s.program = 0;
        s.programFailed = true;
        return false;
    }
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
    return true;
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

}  // namespace

void drawTriangles(bool transformed) {
    State& s = state();
    if (s.triangles.empty())
        return;
    if (s.program == 0 && (s.programFailed || !makeProgram())) {
        s.triangles.clear();   // nothing can be drawn
        return;
    }
    glUseProgram(s.program);
    const Matrix& modelView = currentMatrix(modelViewStack);
    glUniformMatrix4fv(s.uModelView, 1, GL_FALSE, modelView.m);
    glUniformMatrix4fv(s.uProjection, 1, GL_FALSE, currentMatrix(projectionStack).m);
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

namespace {
// A vertex through the matrices and the viewport: window x and y, and the
// depth in normalised device coordinates.
void toWindow(const Vertex& v, float out[3]) {
    State& s = state();
    const Matrix mvp = multiply(currentMatrix(projectionStack), currentMatrix(modelViewStack));
    float clip[4];
    for (int i = 0; i < 4; ++i)
        clip[i] = mvp.m[i] * v.position[0] + mvp.m[4 + i] * v.position[1] + mvp.m[8 + i] * v.position[2] + mvp.m[12 + i];
    out[0] = s.viewport[0] + (clip[0] / clip[3] + 1) * s.viewport[2] / 2;
    out[1] = s.viewport[1] + (clip[1] / clip[3] + 1) * s.viewport[3] / 2;
    out[2] = clip[2] / clip[3];
}

}  // namespace

Vertex fromWindow(float x, float y, float z, const Vertex& from) {
    const int* viewport = state().viewport;
    Vertex v = from;
    v.position[0] = (x - viewport[0]) / viewport[2] * 2 - 1;
    v.position[1] = (y - viewport[1]) / viewport[3] * 2 - 1;
    v.position[2] = z;
    return v;
}

namespace {
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
}  // namespace

void forgetDrawing() {
    State& s = state();
    s.program = s.buffer = 0;
    s.programFailed = false;
}

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

}  // namespace gl11
