// The classroom keys at work: pause, full screen, a picture of the window,
// the key help; and remaking the GL's objects when a mode change lost them.
#pragma once

#include <string>

#include "app/commands.h"

class ClassroomPanel;
struct Image;
struct Program;

void runCommand(Program& program, Command command);
void setPaused(Program& program, bool paused);
// Writes the frame F12 kept to a new file in the pictures folder and says
// so in the window, or says why it could not, in the learner's language;
// the kept frame is released either way.
void savePicture(Program& program);
// Why a picture could not be written (an errno value), as a learner reads it.
std::string savingFailure(int error);
// The badge, notice and help, made on first use.
ClassroomPanel& classroomPanel(Program& program);
// Textures, cone display lists and glyph textures made again in a new GL context.
void rebuildGlResources(Program& program);
