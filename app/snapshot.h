// Pictures of the window for the learner: where they go and what they are called.
#pragma once

#include <ctime>
#include <string>

// The user's pictures folder: what `xdg-user-dir PICTURES` names (when it
// names a folder other than home), else ~/Pictures when it exists, else the
// home folder, else the working directory.
std::string picturesFolder();
// "Corvane Zone YYYY-MM-DD HH.MM.SS.png" for the local time t; the n-th
// attempt at the same second (n > 1) adds " (n)" before the extension.
std::string pictureFileName(std::time_t t, int attempt);
