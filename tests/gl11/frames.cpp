// Draws the program's frames off screen (surfaceless EGL on Mesa) and writes
// them, with the matrices and projections read back, into the folder given:
// built once on Mesa's own OpenGL and once, its GL calls renamed, on the
// GL 1.1 subset over GL ES 2 (CORVANE_GL11). On OpenGL it also writes the
// mipmap levels GLU makes of the program's and of odd-shaped pictures.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "animation/animation.h"
#include "animation/vent_cone.h"
#include "assets/image.h"
#include "assets/textures.h"
#include "interface/interface.h"
#include "interface/logo_button.h"
#include "render/frame.h"
#include "render/plate.h"
#include "render/scene.h"
#include "velmkit/velm.h"
#include "velmkit/velm_checkbox.h"

namespace {
constexpr int width = 640, height = 480;

EGLDisplay display = EGL_NO_DISPLAY;
EGLConfig config;
EGLSurface surface = EGL_NO_SURFACE;

#ifdef CORVANE_GL11
const EGLint api = EGL_OPENGL_ES_API, apiBit = EGL_OPENGL_ES2_BIT, contextAttributes[] = {
    EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
#else
const EGLint api = EGL_OPENGL_API, apiBit = EGL_OPENGL_BIT, contextAttributes[] = {EGL_NONE};
#endif

// A new context on the one surface, current from then on; what the old one
// held is gone with it, as in a browser that lost its WebGL.
bool newContext() {
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    return context != EGL_NO_CONTEXT && eglMakeCurrent(display, surface, surface, context);
}

bool makeContext() {
    const auto platformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, apiBit,
                                       EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                       EGL_DEPTH_SIZE, 24, EGL_NONE};
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLint found = 0;
    if (!eglInitialize(display, nullptr, nullptr) || !eglBindAPI(api) ||
        !eglChooseConfig(display, configAttributes, &config, 1, &found) || found == 0)
        return false;
    surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    return surface != EGL_NO_SURFACE && newContext();
}

void writeFrame(const std::string& path, int frameWidth = width) {
    const Image frame = readFrame(frameWidth, height);
    int error = 0;
    std::remove(path.c_str());
    if (!savePngAsNewFile(path, frame, error))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

// The modelview and projection now, and where gluProject takes a few points
// of the model through them, to the last bit.
void writeNumbers(FILE* out, const char* when) {
    double model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::fprintf(out, "%s\n", when);
    double asked[16];   // the viewport as doubles: four values, the rest untouched
    std::fill(asked, asked + 16, -7.0);
    glGetDoublev(GL_VIEWPORT, asked);
    for (const double* m : std::initializer_list<const double*>{model, projection, asked})
        for (int i = 0; i < 16; ++i)
            std::fprintf(out, "%.17g%c", m[i], i == 15 ? '\n' : ' ');
    const GLint elsewhere[4] = {12, 34, 320, 240};
    for (double x : {-1.7, 0.0, 0.4, 2.3}) {
        double w[3] = {};
        for (const GLint* v : {static_cast<const GLint*>(viewport), elsewhere}) {
            const int done = gluProject(x, -0.15, 2.0 - x, model, projection, v, &w[0], &w[1], &w[2]);
            std::fprintf(out, "%d %.17g %.17g %.17g\n", done, w[0], w[1], w[2]);
        }
    }
}

#ifndef CORVANE_GL11
// A picture's levels as GLU makes them: its size and texel size, then every
// level, read back from the texture.
void writeMipmaps(FILE* out, const unsigned char* picture, int w, int h, GLenum format, int size) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), w, h, format, GL_UNSIGNED_BYTE, picture);
    const int header[3] = {w, h, size};
    std::fwrite(header, sizeof header, 1, out);
    std::fwrite(picture, static_cast<size_t>(w) * h * size, 1, out);
    for (int level = 1; (w >> (level - 1)) > 1 || (h >> (level - 1)) > 1; ++level) {
        std::string texels(static_cast<size_t>(std::max(1, w >> level)) * std::max(1, h >> level) * size, '\0');
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, &texels[0]);
        std::fwrite(texels.data(), texels.size(), 1, out);
    }
    glDeleteTextures(1, &texture);
}

void writeAllMipmaps(const std::string& path) {
    FILE* out = std::fopen(path.c_str(), "wb");
    for (const char* name : {"rock.png", "land.png", "magma.png", "sediment.png", "crust.png"}) {
        const Image picture = loadPng(name);
        writeMipmaps(out, picture.pixels, static_cast<int>(picture.width), static_cast<int>(picture.height), GL_RGB, 3);
    }
    // Sides that come down to 1 before the other: GLU averages pairs there.
    std::string odd(64 * 8 * 4, '\0');
    for (size_t i = 0; i < odd.size(); ++i)
        odd[i] = static_cast<char>(i * 37 % 251);
    writeMipmaps(out, reinterpret_cast<const unsigned char*>(odd.data()), 64, 8, GL_RGBA, 4);
    writeMipmaps(out, reinterpret_cast<const unsigned char*>(odd.data()), 2, 16, GL_LUMINANCE_ALPHA, 2);
    std::fclose(out);
}
#endif

// What the program's own frames leave untried, drawn large: a turn about
// a slanted axis and an uneven scale under the light, the light given under
// another turn (and a specular colour, which its material does not show),
// a display list with colours, a clamped luminance picture magnified to
// its border, a bitmap, and unsmoothed lines.
void drawProbes(FILE* numbers) {
    glViewport(30, 20, 480, 360);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50, 4.0 / 3, 1, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(30, 0.3f, -1, 0.2f);
    const float light[4] = {0.5f, 1, 0.8f, 0}, red[4] = {1, 0, 0, 1}, grey[16] = {0.2f, 1, 0.5f, 0.9f, 0.1f, 0.7f,
        0.3f, 0, 1, 0.6f, 0.4f, 0.8f, 0, 0.5f, 0.9f, 0.3f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glLightfv(GL_LIGHT0, GL_SPECULAR, red);
    glLoadIdentity();
    glTranslatef(-1.2f, 0.3f, -5);
    glRotatef(50, 1, 2, 3);
    glRotatef(-25, 0, 1, 0);
    glRotatef(40, 0, 0, 1);
    glScalef(0.6f, 0.9f, 0.4f);
    writeNumbers(numbers, "probes");
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE_AND_EXECUTE);   // drawn as it is kept, and once more lower down
    glBegin(GL_QUADS);
    for (int face = 0; face < 3; ++face) {
        const float n[3] = {0.8f - 0.8f * face, 0.5f * face - 0.3f, 1}, x = 1.3f * static_cast<float>(face - 1);
        glColor4f(0.3f + 0.3f * face, 0.9f - 0.3f * face, 0.5f, 1);
        glNormal3fv(n);
        glVertex3f(x - 0.6f, -0.6f, 0);
        glVertex3f(x + 0.6f, -0.6f, 0);
        glVertex3f(x + 0.6f, 0.6f, 0);
        glVertex3f(x - 0.6f, 0.6f, 0);
    }
    glEnd();
    glEndList();
    glTranslatef(0, -1.5f, 0);
    glCallList(list);
    glDeleteLists(list, 1);
    glDisable(GL_LIGHTING);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    unsigned char texels[16];
    for (int i = 0; i < 16; ++i)
        texels[i] = static_cast<unsigned char>(grey[i] * 255);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 4, 4, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);   // as FTGL does
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1, 0.8f, 0.6f, 1);
    glBegin(GL_TRIANGLES);
    glTexCoord2f(-0.2f, -0.2f);
    glVertex2f(380, 40);
    glTexCoord2f(1.2f, -0.2f);
    glVertex2f(620, 40);
    glTexCoord2f(0.5f, 1.2f);
    glVertex2f(500, 300);
    glEnd();
    glPopAttrib();
    std::string bits(9 * 48, '\0');   // rows of 72 bits, 64 drawn
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<char>(grey[i % 16] * 255) ^ static_cast<char>(i);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 72);
    glBitmap(0, 0, 0, 0, 40, 330, nullptr);
    glBitmap(64, 48, 0, 0, 0, 0, reinterpret_cast<const GLubyte*>(bits.data()));
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10, width - 10, -5, height - 5, -2, 3);
    writeNumbers(numbers, "ortho");
    glDisable(GL_LINE_SMOOTH);
    glLineWidth(3);
    glColor4f(0.9f, 0.2f, 0.1f, 0.6f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(150, 330);
    glVertex2f(300, 330);
    glVertex2f(300, 420);
    glVertex2f(150, 420);
    glEnd();
    glDeleteTextures(1, &texture);
}

void noTimer(uint32_t, VelmTimerFunc, int32_t) {}
void noHook(int32_t) {}
int32_t noModifiers() { return 0; }
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || !makeContext() || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: %s DATA-FOLDER OUTPUT-FOLDER (with surfaceless EGL)\n", argv[0]);
        return 2;
    }
    const std::string to = std::string(argv[2]) + "/";
    FILE* numbers = std::fopen((to + "numbers.txt").c_str(), "w");
    TextureSet textures;
    Scene scene;
    Animation animation;
    setupGLState();
    loadTextures(textures, nullptr);
    velmInit(noTimer, noHook, noModifiers);
    VelmContext* gui = new VelmContext(width, height, "VERDANA.TTF", panelPalette());
    Interface* panel = new Interface(gui, textures.logoTexture);
    glViewport(0, 0, width, height);
    gui->resetView();
    layoutCredits(panel, width, height);
    // The check box's square, with its focus ring: the lines GL smooths.
    const VelmCheckBox* box = panel->featuresCheckBox;
    const int x = static_cast<int>(box->getLocationX()), y = static_cast<int>(box->getLocationY()),
              side = static_cast<int>(box->getHeight());
    std::fprintf(numbers, "lines %d %d %d %d\n", x - 3, y - 3, x + side + 3, y + side + 3);
    setupCamera(width, height);
    writeNumbers(numbers, "camera");
    createScene(scene);
    createAnimation(animation);
    for (const VentCone* cone : animation.ventCones)
        std::fprintf(numbers, "cone %.9g %.9g\n", cone->windowX, cone->windowY);
    gui->resetView();

    FrameParts frame{width, height, gui, textures, scene, animation, false};
    composeFrame(frame);
    writeFrame(to + "plain.png");
    writeNumbers(numbers, "after a frame");
#ifdef CORVANE_GL11
    // The context lost and a new one given: the subset's state goes to it,
    // and the program makes its textures, glyphs and lists again.
    if (!newContext())
        return 3;
    gl11::Reset();
    VelmFont::forgetAllGlObjects();
    loadTextures(textures, nullptr);
    panel->logo->texture = textures.logoTexture;
    recompileCones(animation);
#endif
    composeFrame(frame);
    writeFrame(to + "restored.png");
    frame.highlightFeatures = true;
    panel->featuresCheckBox->setChecked(true);
    composeFrame(frame);
    writeFrame(to + "features.png");
    panel->respond(panel->logo);
    composeFrame(frame);
    writeFrame(to + "credits.png");
    panel->respond(panel->logo);
    frame.highlightFeatures = false;
    panel->featuresCheckBox->setChecked(false);
    // The arrow half uncovered and the rock moved on; every vent puffing.
    updateAnimation(animation, scene.thePlates->flowOffset, 1.5f);
    for (Vent* vent : animation.vents) {
        vent->active = true;
        vent->activeTime = vent->riseTime + vent->holdTime / 2;
    }
    composeFrame(frame);
    writeFrame(to + "smoke.png");
    drawProbes(numbers);
    writeFrame(to + "probes.png", width - 1);   // rows of an odd length
#ifndef CORVANE_GL11
    writeAllMipmaps(to + "mipmaps.bin");
#endif
    std::fclose(numbers);
    delete gui;
    destroyScene(scene);
    destroyAnimation(animation, true);
    deleteTextures(textures);
    delete panel;
    return 0;
}
