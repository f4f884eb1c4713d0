// Frame composition: the fixed GL state, the camera and the drawing of a frame.
#pragma once

#include <GL/gl.h>

// GL state that holds for the whole run; called at start and after resizes.
void setupGLState();
// The scene's projection and modelview matrices; leaves modelview current.
void setupCamera();
// Stretches a texture over the whole window in the current 2D view.
void drawPicture(GLuint texture);
// Draws one frame and swaps the buffers.
void drawFrame();
// Draws one frame without swapping (what drawFrame draws).
void composeFrame();

// The camera.
constexpr double cameraFieldOfView = 60.0;
constexpr double cameraNear = 0.5;
constexpr double cameraFar = 1000.0;
constexpr float cameraTranslation[3] = {0.0f, 0.3f, -3.0f};
constexpr float cameraTilt = 10.0f;   // degrees about x
