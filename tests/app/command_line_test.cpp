// The command line: what each kind of argument asks for and what is answered.
#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"

namespace {
CommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "/usr/libexec/corvane/corvane");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

// The exit status, what went to standard output and what to standard error.
struct Answer {
    int status;
    std::string out, err;
};
Answer answer(const CommandLine& line) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = answerCommandLine(line);
    const std::string out = ::testing::internal::GetCapturedStdout();
    return {status, out, ::testing::internal::GetCapturedStderr()};
}
}  // namespace

TEST(CommandLine, WithoutArgumentsTheProgramRuns) {
    EXPECT_EQ(parse({}).action, CommandLine::Action::Run);
    EXPECT_EQ(parseCommandLine(0, nullptr).action, CommandLine::Action::Run);
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutputWithStatusZero) {
    for (const char* option : {"--help", "-h"}) {
        const Answer a = answer(parse({option}));
        EXPECT_EQ(a.status, 0);
        EXPECT_EQ(a.out.rfind("Usage: corvane [OPTION]\n", 0), 0u) << a.out;
        EXPECT_NE(a.out.find("--version"), std::string::npos);
        EXPECT_EQ(a.err, "");
    }
    for (const char* option : {"--version", "-V"}) {
        const Answer a = answer(parse({option}));
        EXPECT_EQ(a.status, 0);
        EXPECT_EQ(a.out, std::string("Corvane Zone ") + CORVANE_VERSION + "\n");
        EXPECT_EQ(a.err, "");
    }
}

TEST(CommandLine, AnythingElseIsOneLineOfErrorAndTheHintWithStatusTwo) {
    const Answer unknown = answer(parse({"--fullscreen-please"}));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "corvane: unrecognized option '--fullscreen-please'\n"
                           "Try 'corvane --help' for more information.\n");
    const Answer stray = answer(parse({"picture.png"}));
    EXPECT_EQ(stray.status, 2);
    EXPECT_EQ(stray.err.substr(0, stray.err.find('\n')), "corvane: unexpected argument 'picture.png'");
    // The first argument that is not understood decides, wherever it stands.
    EXPECT_EQ(parse({"--bogus", "--help"}).action, CommandLine::Action::Error);
    EXPECT_EQ(parse({"--help", "--bogus"}).action, CommandLine::Action::Help);
}

TEST(CommandLine, FullScreenAndLanguageAreKeptForTheRun) {
    const CommandLine both = parse({"--fullscreen", "--lang", "de"});
    EXPECT_EQ(both.action, CommandLine::Action::Run);
    EXPECT_TRUE(both.fullScreen);
    EXPECT_EQ(both.language, "de");
    EXPECT_EQ(parse({"--lang=pt_BR"}).language, "pt_BR");
    EXPECT_FALSE(parse({"--lang=pt_BR"}).fullScreen);
    for (const std::vector<const char*>& missing : {std::vector<const char*>{"--lang"}, {"--lang="}}) {
        const CommandLine line = parse(missing);
        EXPECT_EQ(line.action, CommandLine::Action::Error) << missing[0];
    }
}
