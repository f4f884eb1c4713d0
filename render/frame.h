// Frame composition: the fixed GL state, the camera and the drawing of a frame.
#pragma once

#include <GL/gl.h>

#include <cstdint>

class VelmContext;
struct Animation;
struct Scene;
struct TextureSet;

// GL state that holds for the whole run; called at start and after resizes.
void setupGLState();
// The scene's projection and modelview matrices for a drawing area of
// windowWidth by windowHeight; leaves modelview current.
void setupCamera(int32_t windowWidth, int32_t windowHeight);
// Stretches a texture over the whole drawing area in the current 2D view.
void drawPicture(GLuint texture, int32_t windowWidth, int32_t windowHeight);

// What a frame shows, handed over by the program that owns it.
struct FrameParts {
    int32_t windowWidth;
    int32_t windowHeight;
    VelmContext* guiContext;
    const TextureSet& textures;
    const Scene& scene;
    Animation& animation;     // a puff ends when it is drawn past its time
    bool highlightFeatures;   // the "Highlighted Features" check box
};
// Draws one frame, everything but the swap of the buffers.
void composeFrame(const FrameParts& frame);

struct Image;
// The frame drawn so far in the back buffer, as RGB rows bottom first.
Image readFrame(int32_t windowWidth, int32_t windowHeight);

// The camera.
constexpr double cameraFieldOfView = 60.0;
constexpr double cameraNear = 0.5;
constexpr double cameraFar = 1000.0;
constexpr float cameraTranslation[3] = {0.0f, 0.3f, -3.0f};
constexpr float cameraTilt = 10.0f;   // degrees about x
