// The texts a learner reads, in the learner's language: GNU gettext's
// catalog "corvane" (set up by the shell), English when there is none.
#pragma once

#include <string>

// The text in the chosen language; english itself when it has no translation.
const char* tr(const char* english);
// Marks a text for the catalog's template where it is written down, not
// looked up (xgettext --keyword=N_).
#define N_(text) text
// The catalog's name.
constexpr const char* textDomain = "corvane";
// Where libintl is not at hand (Windows): reads a compiled catalog (.mo)
// whose texts tr() answers from then on; false when it cannot be read.
bool useCatalogFile(const std::string& path);
