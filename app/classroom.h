// The classroom keys beyond Control+Q: pause, full screen, a picture of the
// window and the key help; their state and their actions. Called by the
// shell; they act through the window (app/window.h) and the panel.
#pragma once

#include <cstdint>
#include <string>

#include "app/commands.h"

class ClassroomPanel;
struct InputEvent;
struct Program;

// A key pressed: true when it is one of the program's own keys (then it is
// done, and neither it, its repeats nor its release reach the widgets).
bool takeClassroomKey(Program& program, const InputEvent& press);
// A key released: true when its press was one of the program's own keys.
bool takeClassroomKeyRelease(Program& program, int32_t symbol);
void runCommand(Program& program, Command command);
void setPaused(Program& program, bool paused);
// The tour of the features: the next (by 1) or previous (by -1) feature;
// from outside the tour, the first or the last; past either end, out of
// it. The "Highlighted Features" box is cleared while the tour runs and
// given back as it was when it ends.
void stepTour(Program& program, int by);
void leaveTour(Program& program);
// Called every frame: the box ticked during the tour ends the tour, all the
// labels shown.
void followLabels(Program& program);
// Writes the frame F12 kept to a new file in the pictures folder and says
// so in the window, or says why it could not, in the learner's language;
// the kept frame is released either way.
void savePicture(Program& program);
// Says on standard error and in the window, in the learner's language,
// which pictures could not be read at start-up and from which folder;
// nothing when every one was.
void sayUnreadPictures(Program& program);
// Why a picture could not be written (an errno value), as a learner reads it.
std::string savingFailure(int error);
// Tells the platform's own controls (the web page's) the commands by name
// and their texts in the learner's language.
void offerClassroomControls();
// The badge, notice and help, made on first use.
ClassroomPanel& classroomPanel(Program& program);
