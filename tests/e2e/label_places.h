// Where the English labels' texts lie in the design (kept apart from X11's
// headers, whose Mask is not the painter's).
#pragma once

#include <map>
#include <string>

#include "assets/feature_labels.h"

// Each label's text box as the painter lays it out, by the label's key.
std::map<std::string, Box> englishLabelBoxes();
