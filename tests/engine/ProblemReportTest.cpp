// Tests of the problem report: its text, the file it names and what each answer does to a site.
#include <gtest/gtest.h>

#include "engine/ProblemReport.h"
#include "support/ProblemCapture.h"

namespace {

using ZELM::ProblemChoice;
using ZELMTest::ProblemCapture;

// Two independent report sites, each with the flag the macro gives it.
void RaiseFromFirstSite(int value) {
    ZELM_PROBLEM("Test::FirstSite", "first %i", value);
}
void RaiseFromSecondSite() {
    ZELM_PROBLEM("Test::SecondSite", "second");
}

TEST(ProblemReport, TextNamesMessageFileLineAndFunction) {
    ProblemCapture capture;
    bool enabled = true;
    ZELM::ProblemReport(enabled, true, "D:/Fallward/source/engine/Engine.cpp", 42, "ZELM::Engine::Run",
                        "Level %s has %i holes", "Splash", 3);

    ASSERT_EQ(capture.Count(), 1u);
    const ZELM::Problem& problem = capture.Last();
    EXPECT_EQ(problem.message, "Level Splash has 3 holes");
    EXPECT_EQ(problem.file, "engine/Engine.cpp");
    EXPECT_EQ(problem.line, 42);
    EXPECT_EQ(problem.function, "ZELM::Engine::Run");
    EXPECT_EQ(problem.text,
              "Problem: Level Splash has 3 holes\n\nFile:\tengine/Engine.cpp\nLine:\t42\nFunction: "
              "ZELM::Engine::Run");
    EXPECT_TRUE(problem.interactive);
}

TEST(ProblemReport, FileIsThePathAfterTheFirstSourceDirectory) {
    EXPECT_EQ(ZELM::ReportedFileName("/home/dev/source/engine/Entity.cpp"), "engine/Entity.cpp");
    EXPECT_EQ(ZELM::ReportedFileName("C:\\work\\source\\engine\\Entity.cpp"), "engine\\Entity.cpp");
    // Only the first occurrence counts; a nested "source" stays in the name.
    EXPECT_EQ(ZELM::ReportedFileName("a/source/b/source/c.cpp"), "b/source/c.cpp");
    EXPECT_EQ(ZELM::ReportedFileName("src/engine/Entity.cpp"), "src/engine/Entity.cpp");
    EXPECT_EQ(ZELM::ReportedFileName(""), "");
}

TEST(ProblemReport, SourceInsideAFileNameIsNotADirectory) {
    EXPECT_EQ(ZELM::ReportedFileName("src/engine/ResourceCache.cpp"), "src/engine/ResourceCache.cpp");
    EXPECT_EQ(ZELM::ReportedFileName("game/resources/Loader.cpp"), "game/resources/Loader.cpp");
}

TEST(ProblemReport, IgnoreSilencesOnlyThatSite) {
    ProblemCapture capture(ProblemChoice::Ignore);
    RaiseFromFirstSite(1);
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "first 1");
    EXPECT_EQ(capture.Last().function, "Test::FirstSite");

    capture.SetAnswer(ProblemChoice::Continue);
    RaiseFromFirstSite(2);
    EXPECT_EQ(capture.Count(), 1u);

    RaiseFromSecondSite();
    RaiseFromSecondSite();
    EXPECT_EQ(capture.Count(), 3u);
    EXPECT_EQ(capture.Last().message, "second");
}

TEST(ProblemReport, AnswerDecidesWhetherToStop) {
    ProblemCapture capture;
    bool enabled = true;

    capture.SetAnswer(ProblemChoice::Continue);
    EXPECT_FALSE(ZELM::ProblemReport(enabled, true, "f.cpp", 1, "f", "continue"));
    EXPECT_FALSE(ZELM::ProblemReport(enabled, true, "f.cpp", 1, "f", "continue again"));
    EXPECT_TRUE(enabled);

    capture.SetAnswer(ProblemChoice::Break);
    EXPECT_TRUE(ZELM::ProblemReport(enabled, true, "f.cpp", 1, "f", "break"));
    EXPECT_TRUE(enabled);

    capture.SetAnswer(ProblemChoice::Ignore);
    EXPECT_FALSE(ZELM::ProblemReport(enabled, true, "f.cpp", 1, "f", "ignore"));
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(ZELM::ProblemReport(enabled, true, "f.cpp", 1, "f", "silenced"));
    EXPECT_EQ(capture.Count(), 4u);
}

TEST(ProblemReport, NonInteractiveReportAlwaysStops) {
    ProblemCapture capture;
    for (ProblemChoice choice : {ProblemChoice::Continue, ProblemChoice::Break, ProblemChoice::Ignore}) {
        bool enabled = true;
        capture.SetAnswer(choice);
        EXPECT_TRUE(ZELM::ProblemReport(enabled, false, "f.cpp", 7, "f", "fatal"));
        EXPECT_FALSE(capture.Last().interactive);
    }
    EXPECT_EQ(capture.Count(), 3u);
}

}  // namespace
