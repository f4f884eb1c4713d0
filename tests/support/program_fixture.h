// The program's state as it stands when its frame loop begins, made in the
// pictures' folder by the program's own start-up, for suites that look at
// what the program draws.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/program.h"

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[4096];
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(CORVANE_DATA_DIR), 0);
        buildProgram(program, nullptr);
        ASSERT_EQ(chdir(previous), 0);
    }
    void TearDown() override { freeProgram(program); }
    Program program;
};
