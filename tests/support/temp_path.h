// Temporary paths of one test process, so that test runs side by side never
// share a file. They all live in one folder of the process, removed when the
// process ends unless a test failed (its files are then kept to look at).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace test_temp_detail {

inline std::string scratchFolder(pid_t pid) {
    return ::testing::TempDir() + "corvane_" + std::to_string(pid);
}

// The process that made the folder: a forked death-test child that exits
// must leave its parent's folder be.
inline pid_t& scratchOwner() {
    static pid_t owner = 0;
    return owner;
}

inline void removeScratch() {
    if (scratchOwner() != getpid() || ::testing::UnitTest::GetInstance()->failed_test_count() > 0)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder(scratchOwner()), ignored);
}

}  // namespace test_temp_detail

inline std::string testTempPath(const std::string& name) {
    const pid_t self = getpid();
    if (test_temp_detail::scratchOwner() != self) {
        // The test framework is made first so that it outlives the clean-up.
        ::testing::UnitTest::GetInstance();
        std::filesystem::create_directories(test_temp_detail::scratchFolder(self));
        test_temp_detail::scratchOwner() = self;
        std::atexit(test_temp_detail::removeScratch);
    }
    return test_temp_detail::scratchFolder(self) + "/" + name;
}

// An empty folder of this test process, made anew.
inline std::string freshFolder(const std::string& name) {
    const std::string path = testTempPath(name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}
