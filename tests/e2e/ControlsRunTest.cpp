// The controls a player chooses, through the whole game: bound from the menus, kept in
// settings.xml, played with; the menus' own keys whatever is bound; every menu walked by the pad.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/RunFallward.h"
#include "support/ScratchData.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The levels a run passes through, in order.
std::vector<std::string> Levels(const ZELMTest::ScratchData& data, const std::string& arguments) {
    const std::string trace = "/tmp/fallward-controls-" + std::to_string(::getpid()) + ".jsonl";
    const ZELMTest::RunResult run = ZELMTest::RunFallward("--headless --fixed-dt 16.6667 --problems fatal --data " +
                                                          data.Working() + " " + arguments + " --trace " + trace);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::vector<std::string> levels;
    std::ifstream file(trace);
    for (std::string line; std::getline(file, line);) {
        const std::size_t at = line.find("\"level\":\"") + 9;
        const std::string level = line.substr(at, line.find('"', at) - at);
        if (levels.empty() || levels.back() != level) {
            levels.push_back(level);
        }
    }
    std::remove(trace.c_str());
    return levels;
}

std::string WriteScript(const std::string& name, const std::string& text) {
    const std::string path = "/tmp/fallward-controls-" + std::to_string(::getpid()) + "-" + name + ".input";
    std::ofstream(path) << text;
    return path;
}

// Level1's solution with its keys changed as the player rebound them.
std::string Level1Solution(const std::map<std::string, std::string>& keys) {
    std::ifstream file(std::string(FALLWARD_FIXTURES) + "/../solutions/Level1.input");
    std::string out;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string frame, verb, key;
        if (words >> frame >> verb >> key && keys.count(key) != 0) {
            line = frame + " " + verb + " " + keys.at(key);
        }
        out += line + "\n";
    }
    return out;
}

// Presses one key, twelve frames a step, from `frame` on.
void Press(std::string& script, int& frame, const std::string& key) {
    script += std::to_string(frame) + " down " + key + "\n" + std::to_string(frame + 1) + " up " + key + "\n";
    frame += 12;
}

const std::map<std::string, std::string> kIjklShift = {
    {"UP", "I"}, {"DOWN", "K"}, {"LEFT", "J"}, {"RIGHT", "L"}, {"SPACE", "LSHIFT"}};

TEST(ControlsRun, GravityOnIjklAndPhaseOnShiftAreBoundFromTheMenusKeptAndPlayed) {
    const ZELMTest::ScratchData data;
    std::string script;
    int frame = 10;
    // The splash, then the options (second item), then the controls (second from the end).
    for (const char* key : {"ENTER", "DOWN", "ENTER", "UP", "UP", "ENTER"}) {
        Press(script, frame, key);
    }
    for (const char* key : {"I", "K", "J", "L", "LSHIFT"}) {
        Press(script, frame, "ENTER");
        Press(script, frame, key);
        Press(script, frame, "DOWN");
    }
    // Out through the options to the menu, then the adventure's first level.
    for (const char* key : {"ESC", "ESC", "ENTER", "ENTER"}) {
        Press(script, frame, key);
    }
    script += "level Level1\n" + Level1Solution(kIjklShift);
    const std::vector<std::string> played =
        Levels(data, "--frames 1500 --input-script " + WriteScript("menus", script));
    const std::vector<std::string> expected = {"Splash",  "Menu", "Options", "Controls", "Options",
                                               "Menu", "GameMenu", "Level1",   "Level2"};
    EXPECT_EQ(played, expected);
    const std::string settings = ReadFile(data.Working() + "/settings.xml");
    EXPECT_NE(settings.find("<Key action=\"phase\" slot=\"1\">42</Key>"), std::string::npos) << settings;

    // A fresh run reads them back: the same solution with the same keys wins Level1 again.
    const std::vector<std::string> replayed =
        Levels(data, "--level Level1 --frames 800 --input-script " + WriteScript("again", Level1Solution(kIjklShift)));
    EXPECT_EQ(replayed, (std::vector<std::string>{"Level1", "Level2"}));
}

TEST(ControlsRun, EnterEscAndTheArrowsWorkTheMenusWithEveryActionBoundElsewhere) {
    const ZELMTest::ScratchData data;
    std::string bindings;
    const char* actions[] = {"gravityup", "gravitydown", "gravityleft", "gravityright", "phase", "walkleft",
                             "walkright", "walkup",      "walkdown",    "pause",        "restart"};
    int code = 59;  // F1 on
    for (const char* action : actions) {
        bindings += "<Key action=\"" + std::string(action) + "\" slot=\"1\">" + std::to_string(code++) + "</Key>";
        bindings += "<Key action=\"" + std::string(action) + "\" slot=\"2\">0</Key>";
    }
    std::ofstream(data.Working() + "/settings.xml") << "<Settings><Controls>" << bindings << "</Controls></Settings>";
    const std::vector<std::string> played = Levels(
        data, "--frames 2000 --net-interface lo --input-script " + std::string(FALLWARD_FIXTURES) + "/flows/every-screen.input");
    const std::vector<std::string> expected = {
        "Splash", "Menu", "GameMenu", "Level1",      "Menu",    "GameMenu", "Courses", "TimeAttack", "Menu",
        "GameMenu", "Courses", "multiplayer", "Menu", "Options", "Menu", "Credits", "Menu"};
    EXPECT_EQ(played, expected);
}

TEST(ControlsRun, APadAloneWalksFromTheSplashToLevel1ChangingAnOptionOnTheWay) {
    const ZELMTest::ScratchData data;
    const std::vector<std::string> played =
        Levels(data, "--frames 280 --input-script " + std::string(FALLWARD_FIXTURES) + "/flows/pad-menus.input");
    EXPECT_EQ(played, (std::vector<std::string>{"Splash", "Menu", "Options", "Menu", "GameMenu", "Level1"}));
    EXPECT_NE(ReadFile(data.Working() + "/settings.xml").find("<FrameLimit>60</FrameLimit>"), std::string::npos);
}

TEST(ControlsRun, APadAloneWalksEveryScreenAndQuits) {
    const ZELMTest::ScratchData data;
    const std::vector<std::string> played = Levels(
        data, "--frames 2000 --net-interface lo --input-script " + std::string(FALLWARD_FIXTURES) +
                  "/flows/pad-every-screen.input");
    const std::vector<std::string> expected = {
        "Splash",   "Menu",        "GameMenu", "Level1",   "Menu",     "GameMenu", "Courses",  "TimeAttack",
        "Menu",     "GameMenu",    "Courses",  "multiplayer", "Menu",  "Options",  "Menu",     "Credits",
        "Menu",     "GameMenu",    "LevelSelect", "GameMenu", "MyLevels", "GameMenu", "Menu",  "Options",
        "Controls", "Options",     "Menu"};
    EXPECT_EQ(played, expected);
}

}  // namespace
