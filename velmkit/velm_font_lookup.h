// Finding a font file on the system: shared by velm_font.cpp and the
// lookup the build chooses, velm_font_fontconfig.cpp (fontconfig, Linux) or
// velm_font_folders.cpp (the host's folders, where there is no fontconfig).
#pragma once

#include <string>
#include <vector>

// The family and boldness named by a file's stem: "VERDANAB.TTF" -> Verdana, bold.
void velmFamilyFromStem(const std::string& fileName, std::string& family, bool& bold);
// Whether the file can be opened for reading.
bool velmReadable(const std::string& path);
// The folders velmSetFontFolders named.
const std::vector<std::string>& velmFontFolders();
// The system's font for the family and weight fileName's stem names; empty
// when none matches.
std::string velmSystemFont(const std::string& fileName);
// The system's face of exactly that family in that weight (velmFindFace).
struct VelmFaceFile;
VelmFaceFile velmSystemFace(const std::string& family, bool bold);
