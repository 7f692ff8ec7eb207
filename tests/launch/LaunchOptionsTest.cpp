// The command line: every flag, the problem mode that follows --headless, and refused arguments.
#include <gtest/gtest.h>

#include "app/LaunchOptions.h"

namespace {

using Fallward::LaunchOptions;
using Fallward::ProblemMode;

bool Parse(std::vector<std::string> arguments, LaunchOptions& options, std::string& error) {
    return Fallward::ParseLaunchOptions(arguments, options, error);
}

TEST(LaunchOptions, EveryFlagIsRead) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--data", "some/dir", "--level", "Level2", "--headless", "--frames", "120",
                       "--fixed-dt", "16.5", "--problems", "fatal", "--net-interface", "veth0",
                       "--screenshot", "60:a.png", "--screenshot", "7:b/c.png", "--record", "run.replay"},
                      options, error))
        << error;
    EXPECT_EQ(options.dataDirectory, "some/dir");
    EXPECT_EQ(options.level, "Level2");
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.frames, 120);
    EXPECT_FLOAT_EQ(options.fixedDt, 16.5f);
    EXPECT_EQ(options.problems, ProblemMode::Fatal);
    EXPECT_EQ(options.netInterface, "veth0");
    EXPECT_EQ(options.recordFile, "run.replay");
    ASSERT_EQ(options.screenshots.size(), 2u) << "every --screenshot counts";
    EXPECT_EQ(options.screenshots[0].frame, 60);
    EXPECT_EQ(options.screenshots[0].file, "a.png");
    EXPECT_EQ(options.screenshots[1].frame, 7);
    EXPECT_EQ(options.screenshots[1].file, "b/c.png");
}

TEST(LaunchOptions, ProblemsGoToABoxWithADisplayAndToStderrWhenHeadless) {
    LaunchOptions windowed;
    LaunchOptions headless;
    LaunchOptions chosen;
    std::string error;
    ASSERT_TRUE(Parse({}, windowed, error));
    ASSERT_TRUE(Parse({"--headless"}, headless, error));
    ASSERT_TRUE(Parse({"--problems", "box", "--headless"}, chosen, error));
    EXPECT_EQ(windowed.problems, ProblemMode::Box);
    EXPECT_EQ(windowed.fixedDt, -1.0f);
    EXPECT_EQ(windowed.frames, 0);
    EXPECT_EQ(headless.problems, ProblemMode::Stderr);
    EXPECT_EQ(chosen.problems, ProblemMode::Box);
}

TEST(LaunchOptions, BadArgumentsAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--frames"},         {"--frames", "ten"},      {"--frames", "-3"},   {"--fixed-dt", "fast"},
        {"--fixed-dt", "-1"}, {"--problems", "loud"},   {"--whatever"},       {"--data"},
        {"--fixed-dt", "nan"}, {"--frames", "99999999999"}, {"--net-interface"},
        {"--record"},         {"--replay", "r", "--frames", "16"}, {"--replay", "r", "--input-script", "s"},
        {"--level", "L", "--replay", "r"},
    };
    for (const auto& arguments : bad) {
        LaunchOptions options;
        std::string error;
        EXPECT_FALSE(Parse(arguments, options, error)) << arguments[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(LaunchOptions, HelpHasALineForEveryFlagAndVersionAndFullscreenAreRead) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--version", "--fullscreen"}, options, error)) << error;
    EXPECT_TRUE(options.showVersion);
    EXPECT_TRUE(options.fullscreen);
    EXPECT_EQ(std::string(Fallward::LaunchVersion()).rfind("fallward ", 0), 0u);

    // Every flag the parser takes, with a value where it needs one: each has its own help line.
    const std::string help = Fallward::LaunchUsage();
    const std::vector<std::pair<std::string, std::string>> flags = {
        {"--data", "d"},
        {"--level", "L"},
        {"--exec", "f"},
        {"--headless", ""},
        {"--fullscreen", ""},
        {"--frames", "1"},
        {"--fixed-dt", "1"},
        {"--input-script", "f"},
        {"--trace", "f"},
        {"--net-interface", "n"},
        {"--screenshot", "1:x.png"},
        {"--problems", "stderr"},
        {"--check-levels", ""},
        {"--version", ""},
        {"--help", ""},
        {"--record", "r"},
        {"--replay", "r"},
        {"--replace", ""},
        {"--author", "a"},
    };
    EXPECT_NE(help.find("\n  --export-level NAME FILE "), std::string::npos);
    EXPECT_NE(help.find("\n  FILE.fwlevel "), std::string::npos);
    for (const auto& [flag, value] : flags) {
        EXPECT_NE(help.find("\n  " + flag + " "), std::string::npos) << flag;
        std::vector<std::string> arguments = {flag};
        if (!value.empty()) {
            arguments.push_back(value);
        }
        LaunchOptions accepted;
        EXPECT_TRUE(Parse(arguments, accepted, error)) << flag << ": " << error;
    }
}

TEST(LaunchOptions, ASharedLevelFileIsTheArgumentEndingInItsExtensionAndExportTakesANameAndAFile) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--headless", "levels/Castle.fwlevel", "--replace"}, options, error)) << error;
    EXPECT_EQ(options.importFile, "levels/Castle.fwlevel");
    EXPECT_TRUE(options.replace);
    LaunchOptions exporting;
    ASSERT_TRUE(Parse({"--export-level", "my:Castle", "Castle.fwlevel", "--author", "Ada"}, exporting, error))
        << error;
    EXPECT_EQ(exporting.exportLevel, "my:Castle");
    EXPECT_EQ(exporting.exportFile, "Castle.fwlevel");
    EXPECT_EQ(exporting.author, "Ada");
    EXPECT_TRUE(exporting.importFile.empty()) << "the file to write is not one to install";

    const std::vector<std::vector<std::string>> bad = {
        {"a.fwlevel", "b.fwlevel"},
        {"--export-level", "my:Castle"},
        {"--export-level", "Castle", "out.fwlevel", "in.fwlevel"},
        {".fwlevel"},
        {"Castle.fwlevel.txt"},
    };
    for (const auto& arguments : bad) {
        LaunchOptions refused;
        EXPECT_FALSE(Parse(arguments, refused, error)) << arguments[0] << " " << arguments.back();
    }
}

}  // namespace
