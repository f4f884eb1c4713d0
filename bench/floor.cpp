// The floor: a bare program that draws only the layers of the program's
// frame (underlay, about 230 lit, textured, mipmapped quads over the lower
// half, overlay, features, six sprites) with no scene logic, panel or text.
// What it costs is what any program drawing this frame here must pay.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "app/frame_clock.h"
#include "assets/image.h"
#include "bench/bench_driver.h"

namespace {
constexpr int width = 640, height = 480;   // the design, drawn into the drawing area
constexpr int gridColumns = 23, gridRows = 10;   // 230 quads
constexpr int sprites = 6;
constexpr float spriteSide = 96;

GLuint underlay, overlay, features, rock, smoke;
FrameClock clock;
double startAt, videoAt, texturesAt, firstFrameAt;
float phase = 0;

double monotonic() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

GLenum formatOf(int channels) {
    static const GLenum formats[] = {0, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    return formats[channels];
}

GLuint texture(const char* file, bool mipmaps) {
    const Image image = loadPng(file);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (image.empty())
        return name;
    const GLenum format = formatOf(image.channels);
    if (mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, format, image.width, image.height, format, GL_UNSIGNED_BYTE,
                          image.pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, format, image.width, image.height, 0, format, GL_UNSIGNED_BYTE,
                     image.pixels);
    return name;
}

void quad(float x0, float y0, float x1, float y1) {
    glTexCoord2f(0, 0);
    glVertex2f(x0, y0);
    glTexCoord2f(1, 0);
    glVertex2f(x1, y0);
    glTexCoord2f(1, 1);
    glVertex2f(x1, y1);
    glTexCoord2f(0, 1);
    glVertex2f(x0, y1);
}

void draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, underlay);
    glBegin(GL_QUADS);
    quad(0, 0, width, height);
    glEnd();

    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, rock);
    glBegin(GL_QUADS);
    glNormal3f(0, 0.3f, 1);
    const float w = static_cast<float>(width) / gridColumns, h = height / 2.0f / gridRows;
    for (int r = 0; r < gridRows; ++r)
        for (int c = 0; c < gridColumns; ++c)
            quad(c * w, r * h, (c + 1) * w, (r + 1) * h);
    glEnd();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);

    glBindTexture(GL_TEXTURE_2D, overlay);
    glBegin(GL_QUADS);
    quad(0, 0, width, height);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, features);
    glBegin(GL_QUADS);
    quad(0, 0, width, height);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, smoke);
    glBegin(GL_QUADS);
    for (int i = 0; i < sprites; ++i) {
        const float x = 300 + 40 * i, y = 250 + 20 * std::sin(phase + i);
        quad(x, y, x + spriteSide, y + spriteSide);
    }
    glEnd();
    SDL_GL_SwapBuffers();
}

bool start() {
    startAt = monotonic();
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    int drawingWidth = 0, drawingHeight = 0;
    benchDrawingSize(drawingWidth, drawingHeight);
    if (SDL_SetVideoMode(drawingWidth, drawingHeight, 32, SDL_OPENGL) == nullptr)
        return false;
    int swapControl = 0;
    clock.setFramePacing(SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapControl) != 0 || swapControl != 1);
    // The largest centred 4:3 area, as the program draws its design.
    const int areaHeight = std::min(drawingHeight, drawingWidth * height / width);
    const int areaWidth = areaHeight * width / height;
    glViewport((drawingWidth - areaWidth) / 2, (drawingHeight - areaHeight) / 2, areaWidth, areaHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHT0);
    const GLfloat direction[4] = {0.3f, 0.5f, 1, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    videoAt = monotonic();
    underlay = texture("corvane_underlay.png", false);
    overlay = texture("corvane_overlay.png", false);
    features = texture("corvane_features.png", false);
    rock = texture("rock.png", true);
    smoke = texture("corvane_smoke.png", false);
    texturesAt = monotonic();
    draw();
    firstFrameAt = monotonic();
    return true;
}

void between() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    phase += 1.0f / 60;
}

void loopPass() {
    between();
    const double t1 = monotonic();
    draw();
    clock.paceFrame(t1, monotonic);
}
}  // namespace

int main(int argc, char** argv) {
    if (chdir(CORVANE_DATA_DIR) != 0) {
        std::perror(CORVANE_DATA_DIR);
        return 1;
    }
    BenchSubject floor;
    floor.start = start;
    floor.startupStages = [](void (*report)(const char*, double)) {
        report("video", videoAt - startAt);
        report("textures", texturesAt - videoAt);
        report("first_frame", firstFrameAt - texturesAt);
        report("first_frame_at", firstFrameAt - startAt);
    };
    floor.draw = draw;
    floor.between = between;
    floor.loopPass = loopPass;
    floor.lastStep = [] { return 1.0 / 60; };
    return runBench(argc, argv, floor);
}
