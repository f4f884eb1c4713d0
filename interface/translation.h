// The texts a learner reads, in the learner's language: the compiled GNU
// gettext catalog "corvane" that the shell chose, English when there is none.
#pragma once

#include <string>
#include <vector>

// The text in the chosen language; english itself when it has no translation.
const char* tr(const char* english);
// Marks a text for the catalog's template where it is written down, not
// looked up (xgettext --keyword=N_).
#define N_(text) text
// The catalog's name.
constexpr const char* textDomain = "corvane";
// Reads a compiled catalog (.mo) whose texts tr() answers from then on;
// false, and the texts left as they were, when it cannot be read whole.
bool useCatalogFile(const std::string& path);
// The same for a catalog's bytes.
bool useCatalog(const std::vector<char>& bytes);
// No catalog: the texts as they are written, in English.
void useNoCatalog();
