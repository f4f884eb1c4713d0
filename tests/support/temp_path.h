// Temporary paths of one test process, so that test runs side by side never
// share a file.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

inline std::string testTempPath(const std::string& name) {
    return ::testing::TempDir() + "corvane_" + std::to_string(getpid()) + "_" + name;
}
