// Reading a translation catalog's source (.po) for the picture generator.
#pragma once

#include <map>
#include <string>

// The translations in a .po file: msgid to msgstr, untranslated and fuzzy
// entries left out. Empty when the file cannot be read.
std::map<std::string, std::string> readPoFile(const std::string& path);
