// The records file's text: what is kept, and what a hostile file is refused for.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "logic/Records.h"

namespace {

using Logic::Records;

const std::vector<std::string> kAdventure = {"Level1", "Level2", "Level3"};

TEST(Records, WhatIsSavedReadsBackTheSame) {
    Records saved;
    saved.SetFurthest("Level2");
    EXPECT_TRUE(saved.OfferTime("Level1", 12.5f));
    EXPECT_TRUE(saved.OfferTime("TimeAttack", 4.2f));
    EXPECT_FALSE(saved.OfferTime("TimeAttack", 5.2f)) << "slower is no record";
    EXPECT_TRUE(saved.OfferTime("TimeAttack", 4.2f)) << "a tie is";
    // Every course keeps its own.
    const std::vector<std::pair<std::string, float>> courses = {
        {"TimeAttack2", 20.5f}, {"TimeAttack3", 61.0f}, {"multiplayer", 7.5f}, {"multiplayer2", 15.25f}};
    for (const auto& [course, seconds] : courses) {
        EXPECT_TRUE(saved.OfferTime(course, seconds)) << course;
    }

    Records read;
    std::string problem;
    ASSERT_TRUE(Records::Parse(saved.Serialise(), kAdventure, read, problem)) << problem;
    EXPECT_EQ(read.GetFurthest(), "Level2");
    EXPECT_FLOAT_EQ(read.GetBest("Level1"), 12.5f);
    EXPECT_FLOAT_EQ(read.GetBest("TimeAttack"), 4.2f);
    for (const auto& [course, seconds] : courses) {
        EXPECT_FLOAT_EQ(read.GetBest(course), seconds) << course;
    }
    EXPECT_TRUE(std::isinf(read.GetBest("Level3")));
}

TEST(Records, AHostileFileIsRefusedWholeAndSaysWhy) {
    const std::string kHead = "<?xml version=\"1.0\" ?>\n<Records>";
    const struct {
        const char* name;
        std::string text;
        const char* said;  // part of the reason
    } kCases[] = {
        {"empty", "", "XML"},
        {"truncated", kHead + "<Best level=\"Level1\">12.5</Be", "XML"},
        {"not XML", "records: fast", "XML"},
        {"another root", "<Settings/>", "root"},
        {"negative", kHead + "<Best level=\"Level1\">-3</Best></Records>", "-3"},
        {"zero", kHead + "<Best level=\"Level1\">0</Best></Records>", "above 0"},
        {"huge", kHead + "<Best level=\"Level1\">1e30</Best></Records>", "1e30"},
        {"NaN", kHead + "<Best level=\"Level1\">nan</Best></Records>", "nan"},
        {"infinite", kHead + "<Best level=\"Level1\">inf</Best></Records>", "inf"},
        {"not a number", kHead + "<Best level=\"Level1\">12s</Best></Records>", "12s"},
        {"unknown level", kHead + "<Best level=\"Level99\">12</Best></Records>", "Level99"},
        {"unknown course", kHead + "<Best level=\"TimeAttack9\">12</Best></Records>", "TimeAttack9"},
        {"no level", kHead + "<Best>12</Best></Records>", "unknown level"},
        {"unknown furthest", kHead + "<Furthest>../../etc</Furthest></Records>", "../../etc"},
        {"unknown element", kHead + "<Cheat>1</Cheat></Records>", "Cheat"},
    };
    for (const auto& testCase : kCases) {
        Records records;
        records.SetFurthest("Level3");
        std::string problem;
        EXPECT_FALSE(Records::Parse(testCase.text, kAdventure, records, problem)) << testCase.name;
        EXPECT_NE(problem.find(testCase.said), std::string::npos) << testCase.name << ": " << problem;
        EXPECT_EQ(records.GetFurthest(), "Level3") << testCase.name << " left the records alone";
    }
}

}  // namespace
