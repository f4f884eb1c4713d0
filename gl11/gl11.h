// gl11: exactly the part of OpenGL 1.1 and GLU that this program and FTGL's
// buffer font use, drawn through OpenGL ES 2 (WebGL 1), for the web build.
// The program's and FTGL's GL calls reach these functions through the
// renaming header gl11/gl11_renames.h, forced on their sources; no line of
// their drawing changes.
//
// Implemented, as OpenGL 1.1 defines them:
//  - immediate mode: quads (split keeping their winding), triangles, line
//    strips and loops (each segment a quad of the line width, in pixels);
//    each glEnd is one buffer upload and one draw;
//  - the modelview and projection matrix stacks, computed in single
//    precision in the order Mesa computes them, so that the matrices read
//    back are Mesa's; gluPerspective and gluProject in double precision;
//  - one directional light (GL_LIGHT0) with colour material (ambient and
//    diffuse follow the current colour), its direction taken through the
//    modelview current at glLightfv, and the scene's ambient light, per
//    vertex, the normals as given (GL_NORMALIZE is off);
//  - textures with GL_MODULATE, including GL_ALPHA and the luminance
//    formats, GL_CLAMP with its transparent black border sampled as GL does
//    with linear filtering, pictures of any size (in WebGL 1 those whose
//    sides are not powers of two are clamped at their edges), and
//    gluBuild2DMipmaps with GLU's own box filter;
//  - display lists of immediate-mode drawing: glBegin to glEnd, vertices,
//    normals, texture coordinates and colours recorded and replayed,
//    compiled alone or executed as they are compiled;
//  - the attribute stacks for the switches, the blending and the pixel
//    storage FTGL saves; glReadPixels of the frame, RGB or RGBA;
//  - glBitmap, which FTGL's bitmap glyphs call, from the window's lower
//    left corner (glRasterPos is not in the subset).
//  - glGetError: the subset's own errors first (a query it does not
//    answer: GL_INVALID_ENUM), then GL ES's;
//  - a new context (WebGL's after it was lost): Reset gives it the state
//    kept here, and makes the shader pair and the buffer again at the next
//    draw; the textures are forgotten (glIsTexture says so), for their
//    owners to make again.
// A shader pair that GL ES will not compile or link is said once on
// standard error, and nothing is drawn.
// Files: state.cpp (switches, queries, raster state, light, Reset),
// matrices.cpp, immediate.cpp (glBegin to glEnd and the shader pair),
// textures.cpp and mipmaps.cpp, lists.cpp (display lists and attribute
// stacks), readback.cpp (bitmaps and glReadPixels).
// Known gaps, none of which the program or FTGL's buffer font uses:
// specular highlights (the program's material reflects none), positional
// and spot lights, other primitives (points, lines, strips and fans of
// polygons), other calls in display lists, the texture matrix, texture
// environments other than GL_MODULATE, GL_NORMALIZE, fog, flat shading,
// polygon modes other than GL_FILL, unpacking with skipped rows or pixels;
// pictures for gluBuild2DMipmaps must have sides that are powers of two
// (others give GLU_INVALID_VALUE). Lines are not smoothed: GL_LINE_SMOOTH,
// which the program turns on, is taken and has no effect, so the few pixels
// of the check box's frame and mark differ from GL's. Queries other than
// the matrices, the viewport and the pixel alignments go to GL ES;
// glGetDoublev answers only the matrices and the viewport.
#pragma once

#include <vector>

namespace gl11 {
// The functions of the subset, named as GL names them without "gl"/"glu";
// the types are GL's (GLenum is unsigned, GLint int, GLdouble double, ...).
void Begin(unsigned mode);
void End();
void Vertex2f(float x, float y);
void Vertex3f(float x, float y, float z);
void Vertex3fv(const float* v);
void Normal3f(float x, float y, float z);
void Normal3fv(const float* v);
void TexCoord2f(float s, float t);
void TexCoord2fv(const float* v);
void Color3f(float r, float g, float b);
void Color4f(float r, float g, float b, float a);
void Color4fv(const float* v);

void Enable(unsigned capability);
void Disable(unsigned capability);

void MatrixMode(unsigned mode);
void LoadIdentity();
void PushMatrix();
void PopMatrix();
void Translatef(float x, float y, float z);
void Rotatef(float angle, float x, float y, float z);
void Scalef(float x, float y, float z);
void Ortho(double left, double right, double bottom, double top, double zNear, double zFar);
void MultMatrixd(const double* m);
void Ortho2D(double left, double right, double bottom, double top);   // gluOrtho2D
void Perspective(double fovy, double aspect, double zNear, double zFar);   // gluPerspective
int Project(double objX, double objY, double objZ, const double* model, const double* projection,
            const int* viewport, double* winX, double* winY, double* winZ);  // gluProject

void GetDoublev(unsigned name, double* values);
void GetFloatv(unsigned name, float* values);
void GetIntegerv(unsigned name, int* values);
unsigned GetError();

void Viewport(int x, int y, int width, int height);
void Clear(unsigned mask);
void ClearColor(float r, float g, float b, float a);
void BlendFunc(unsigned source, unsigned destination);
void DepthMask(unsigned char flag);
void PolygonOffset(float factor, float units);
void PolygonMode(unsigned face, unsigned mode);
void ShadeModel(unsigned mode);
void LineWidth(float width);
void Lightfv(unsigned light, unsigned name, const float* values);
void Materialfv(unsigned face, unsigned name, const float* values);
void TexEnvi(unsigned target, unsigned name, int value);

void GenTextures(int count, unsigned* names);
void DeleteTextures(int count, const unsigned* names);
void BindTexture(unsigned target, unsigned name);
unsigned char IsTexture(unsigned name);
void TexImage2D(unsigned target, int level, int internalFormat, int width, int height, int border,
                unsigned format, unsigned type, const void* pixels);
void TexParameteri(unsigned target, unsigned name, int value);
void PixelStorei(unsigned name, int value);
int Build2DMipmaps(unsigned target, int internalFormat, int width, int height, unsigned format,
                   unsigned type, const void* data);   // gluBuild2DMipmaps

unsigned GenLists(int range);
void NewList(unsigned list, unsigned mode);
void EndList();
void CallList(unsigned list);
void DeleteLists(unsigned list, int range);

void PushAttrib(unsigned mask);
void PopAttrib();
void PushClientAttrib(unsigned mask);
void PopClientAttrib();

void Bitmap(int width, int height, float xorig, float yorig, float xmove, float ymove, const unsigned char* bitmap);

void ReadBuffer(unsigned mode);
void ReadPixels(int x, int y, int width, int height, unsigned format, unsigned type, void* pixels);

// After the GL ES context was lost and given back (or replaced): the
// context gets the switches, blending, depth mask, polygon offset, clear
// colour and viewport kept here; the shader pair and the buffer are made
// again when next drawn; every texture is forgotten, so that glIsTexture
// answers false and the program makes its own again. Display lists live
// here, not in GL ES, and are kept. Call with the new context current.
void Reset();

// The mipmap levels gluBuild2DMipmaps makes of a picture of width by height
// texels of bytesPerTexel bytes, tightly packed, from the picture itself
// down to 1 by 1; the sides must be powers of two.
std::vector<std::vector<unsigned char>> mipmapLevels(const unsigned char* picture, int width, int height,
                                                     int bytesPerTexel);
}  // namespace gl11
