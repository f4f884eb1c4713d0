// The subset's state: switches, queries, the raster state and the light,
// and the reset that gives all of it to a new GL ES context.
#include "gl11/gl11.h"
#include "gl11/state.h"

#include <algorithm>
#include <cmath>

namespace gl11 {

State& state() {
    static State s;
    return s;
}

bool recorded(const Recorded& call) {
    State& s = state();
    if (s.compiling == 0)
        return false;
    s.lists[s.compiling].push_back(call);
    return !s.executeWhileCompiling;
}

void setError(GLenum error) {
    if (state().error == GL_NO_ERROR)
        state().error = error;
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

void Enable(unsigned capability) { setSwitch(capability, true); }
void Disable(unsigned capability) { setSwitch(capability, false); }

// ---- Queries ----------------------------------------------------------------------

void GetFloatv(unsigned name, float* values) {
    if (name == MODELVIEW_MATRIX || name == PROJECTION_MATRIX) {
        const Matrix& m = currentMatrix(name == PROJECTION_MATRIX ? projectionStack : modelViewStack);
        std::copy(m.m, m.m + 16, values);
        return;
    }
    glGetFloatv(name, values);
}

// As many values as the state asked for has: 16 of a matrix, 4 of the
// viewport; any other state is refused, and nothing written.
void GetDoublev(unsigned name, double* values) {
    if (name == MODELVIEW_MATRIX || name == PROJECTION_MATRIX) {
        float f[16];
        GetFloatv(name, f);
        std::copy(f, f + 16, values);
    } else if (name == GL_VIEWPORT) {
        int v[4];
        GetIntegerv(name, v);
        std::copy(v, v + 4, values);
    } else {
        setError(GL_INVALID_ENUM);
    }
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

unsigned GetError() {
    State& s = state();
    const GLenum own = s.error;
    s.error = GL_NO_ERROR;
    return own != GL_NO_ERROR ? own : glGetError();
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

void ClearColor(float r, float g, float b, float a) {
    const float c[4] = {r, g, b, a};
    std::copy(c, c + 4, state().clearColour);
    glClearColor(r, g, b, a);
}

void BlendFunc(unsigned source, unsigned destination) {
    state().blendSource = source;
    state().blendDestination = destination;
    glBlendFunc(source, destination);
}

void DepthMask(unsigned char flag) {
    state().depthMask = flag != 0;
    glDepthMask(flag);
}

void PolygonOffset(float factor, float units) {
    state().offsetFactor = factor;
    state().offsetUnits = units;
    glPolygonOffset(factor, units);
}

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
    const float* m = currentMatrix(modelViewStack).m;
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

// ---- A new context ------------------------------------------------------------------------

void Reset() {
    State& s = state();
    forgetDrawing();
    forgetTextures();
    s.error = GL_NO_ERROR;
    // GL ES's own state, which a new context has at its defaults.
    const Switches w = s.switches;
    setSwitch(GL_BLEND, w.blend);
    setSwitch(GL_CULL_FACE, w.cull);
    setSwitch(GL_DEPTH_TEST, w.depth);
    setSwitch(GL_POLYGON_OFFSET_FILL, w.offsetFill);
    glBlendFunc(s.blendSource, s.blendDestination);
    glDepthMask(s.depthMask);
    glPolygonOffset(s.offsetFactor, s.offsetUnits);
    glClearColor(s.clearColour[0], s.clearColour[1], s.clearColour[2], s.clearColour[3]);
    if (s.viewportSet)
        glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
}

}  // namespace gl11
