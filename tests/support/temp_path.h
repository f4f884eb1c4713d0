// Temporary paths of one test process, so that test runs side by side never
// share a file.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

inline std::string testTempPath(const std::string& name) {
    return ::testing::TempDir() + "corvane_" + std::to_string(getpid()) + "_" + name;
}

// An empty folder of this test process, made anew.
inline std::string freshFolder(const std::string& name) {
    const std::string path = testTempPath(name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}
