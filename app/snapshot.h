// Pictures of the window for the learner: where they go and what they are called.
#pragma once

#include <ctime>
#include <string>

// "Corvane Zone YYYY-MM-DD HH.MM.SS.png" for the local time t; the n-th
// attempt at the same second (n > 1) adds " (n)" before the extension.
std::string pictureFileName(std::time_t t, int attempt);
