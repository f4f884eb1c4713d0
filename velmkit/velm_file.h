// Files named by UTF-8 paths on every platform: each path is handed to the
// system as it expects it (as wide characters on Windows, where a narrow
// path would pass through the ANSI code page and lose what it cannot hold).
// Files are opened in binary: what is written is what is read back.
#pragma once

#include <cstdio>
#include <string>

// fopen with a UTF-8 path; mode as fopen's ("rb", "wb"). Null on failure,
// with errno set.
FILE* velmOpenFile(const std::string& path, const char* mode);
// A new file at path, open for writing; never an existing one (errno
// EEXIST then). Null on failure, with errno set.
FILE* velmCreateFile(const std::string& path);
// Removes the file at path; false when it could not.
bool velmRemoveFile(const std::string& path);
// Whether something (a file or a folder) is at path.
bool velmPathExists(const std::string& path);
// Whether a folder is at path.
bool velmIsFolder(const std::string& path);
