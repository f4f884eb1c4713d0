// Setting the process's environment in tests, on every platform the suites run on.
#pragma once

#include <cstdlib>
#include <string>

inline void setEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// Unset: the variable is gone (Windows: an empty value removes it).
inline void unsetEnvironment(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");
#else
    unsetenv(name);
#endif
}
