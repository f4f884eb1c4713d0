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

inline std::string& scratchRoot() {
    static std::string root;
    return root;
}

inline pid_t& scratchOwner() {
    static pid_t owner = 0;
    return owner;
}

inline void removeScratch() {
    // A forked death-test child that exits must leave its parent's folder be.
    if (scratchOwner() != getpid() ||
        ::testing::UnitTest::GetInstance()->failed_test_count() > 0) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratchRoot(), ignored);
}

}  // namespace test_temp_detail

inline std::string testTempPath(const std::string& name) {
    std::string& root = test_temp_detail::scratchRoot();
    if (test_temp_detail::scratchOwner() != getpid()) {
        // The test framework is made first so that it outlives the clean-up.
        ::testing::UnitTest::GetInstance();
        root = ::testing::TempDir() + "corvane_" + std::to_string(getpid());
        std::filesystem::create_directories(root);
        test_temp_detail::scratchOwner() = getpid();
        std::atexit(test_temp_detail::removeScratch);
    }
    return root + "/" + name;
}

// An empty folder of this test process, made anew.
inline std::string freshFolder(const std::string& name) {
    const std::string path = testTempPath(name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}
