// Two copies of the game, each in a network namespace of its own joined by a veth pair: they pick
// the race from the menus, pair, race, and one notices the other leaving.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/ScaledScript.h"
#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace {

const std::string kBinary = FALLWARD_BINARY;
const std::string kFixtures = FALLWARD_FIXTURES;
const char kDisconnected[] = "Friend has disconnected! Press ENTER to return to the menu...";

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Two namespaces with 10.77.0.1/24 and 10.77.0.2/24 on the two ends of a veth pair, for the
// test's life only.
class NamespacePair {
public:
    NamespacePair() : a("fwraceA" + std::to_string(::getpid())), b("fwraceB" + std::to_string(::getpid())) {
        const std::string suffix = std::to_string(::getpid() % 100000);
        ready = Shell("ip netns add " + a + " && ip netns add " + b + " && ip link add fwa" + suffix +
                      " netns " + a + " type veth peer name fwb" + suffix + " netns " + b + " && ip -n " + a +
                      " addr add 10.77.0.1/24 brd + dev fwa" + suffix + " && ip -n " + b +
                      " addr add 10.77.0.2/24 brd + dev fwb" + suffix + " && ip -n " + a + " link set fwa" +
                      suffix + " up && ip -n " + b + " link set fwb" + suffix + " up") == 0;
    }
    ~NamespacePair() { Shell("ip netns del " + a + " 2>/dev/null; ip netns del " + b + " 2>/dev/null"); }

    std::string a;
    std::string b;
    bool ready = false;
};

struct Frame {
    int frame = 0;
    std::string line;
};

std::vector<Frame> ReadTrace(const std::string& path) {
    std::vector<Frame> frames;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        frames.push_back({std::atoi(line.c_str() + line.find(':') + 1), line});
    }
    return frames;
}

bool Has(const Frame& frame, const std::string& text) {
    return frame.line.find(text) != std::string::npos;
}

// The number after `key` in the line, or -1 where the key is absent.
double Number(const Frame& frame, const std::string& key) {
    const std::size_t at = frame.line.find(key);
    return at == std::string::npos ? -1.0 : std::atof(frame.line.c_str() + at + key.size());
}

int FirstFrameWith(const std::vector<Frame>& trace, const std::string& text) {
    for (const Frame& frame : trace) {
        if (Has(frame, text)) {
            return frame.frame;
        }
    }
    return -1;
}

// One stretch of a trace on the race course, as the player saw it.
struct Race {
    double time = -1.0;  // the clock when the player had reached the goal
    bool resultBeforeGoal = false;
    bool clockStoodStill = true;
    std::string result;  // the last result shown
};

std::vector<Race> Races(const std::vector<Frame>& trace) {
    const std::string kOnCourse = "\"level\":\"multiplayer\"";
    std::vector<Race> races;
    bool onCourse = false;
    for (const Frame& frame : trace) {
        if (!Has(frame, kOnCourse)) {
            onCourse = false;
            continue;
        }
        if (!onCourse) {
            races.emplace_back();
            onCourse = true;
        }
        Race& race = races.back();
        const bool atGoal = Number(frame, "\"player\":{\"name\":\"Player\",\"x\":") > 26.0;
        const double clock = Number(frame, "\"Time: ");
        const bool won = Has(frame, "YOU WIN!");
        if (won || Has(frame, "YOU LOSE!")) {
            race.result = won ? "YOU WIN!" : "YOU LOSE!";
            race.resultBeforeGoal = race.resultBeforeGoal || !atGoal;
        }
        if (race.time < 0.0 && atGoal && (!race.result.empty() || Has(frame, "Waiting for opponent..."))) {
            race.time = clock;
        } else if (race.time >= 0.0 && clock != race.time) {
            race.clockStoodStill = false;
        }
    }
    return races;
}

std::vector<std::string> Levels(const std::vector<Frame>& trace) {
    std::vector<std::string> levels;
    for (const Frame& frame : trace) {
        const std::size_t at = frame.line.find("\"level\":\"") + 9;
        const std::string level = frame.line.substr(at, frame.line.find('"', at) - at);
        if (levels.empty() || levels.back() != level) {
            levels.push_back(level);
        }
    }
    return levels;
}

// The two namespaces, a work folder, and both games run at once with their traces there.
class RaceRun : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "the race between two namespaces needs root to create them";
        }
        if (Shell("ip netns list >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "ip netns is not available (install iproute2)";
        }
        namespaces = std::make_unique<NamespacePair>();
        ASSERT_TRUE(namespaces->ready) << "could not create the namespaces and their veth pair";
        ASSERT_EQ(Shell("rm -rf " + work + " && mkdir -p " + work + "/stateA " + work + "/stateB"), 0);
    }
    void TearDown() override {
        if (!HasFailure()) {
            Shell("rm -rf " + work);
        }
    }

    // Both games at once, A in the background: the exit statuses as A * 16 + B.
    // B's display may run at another rate (frames of frameMsB), its input at the same times.
    int RunBoth(const std::string& inputA, int framesA, const std::string& inputB, int framesB,
                double frameMsB = 16.6667) {
        return Shell("sh -c '" + Game(namespaces->a, "A", inputA, framesA, 16.6667) + " & a=$!; " +
                     Game(namespaces->b, "B", inputB, framesB, frameMsB) +
                     "; b=$?; wait $a; exit $(($? * 16 + $b))'");
    }

    std::string Game(const std::string& space, const std::string& name, const std::string& input, int frames,
                     double frameMs) const {
        std::string script = kFixtures + "/race/" + input;
        if (frameMs != 16.6667) {
            std::ifstream original(script);
            script = work + "/" + name + ".input";
            std::ofstream(script) << ZELMTest::ScaledScript(
                std::string(std::istreambuf_iterator<char>(original), std::istreambuf_iterator<char>()), frameMs);
        }
        char dt[32];
        std::snprintf(dt, sizeof dt, "%g", frameMs);
        return "timeout 60 ip netns exec " + space + " env XDG_STATE_HOME=" + work + "/state" + name + " " +
               kBinary + " --headless --fixed-dt " + dt + " --problems fatal --data " +
               (name == "A" ? dataA : dataB).Working() + " --input-script " + script + " --trace " + work + "/" +
               name + ".jsonl --frames " + std::to_string(frames) + " 2>" + work + "/" + name + ".err";
    }

    // Both traces went from the splash through two races to the menu, and each race's result on
    // each side compares the two finish times.
    void ExpectTwoRacesEachComparingItsTimes() const {
        const std::vector<Frame> a = ReadTrace(work + "/A.jsonl");
        const std::vector<Frame> b = ReadTrace(work + "/B.jsonl");
        const std::vector<std::string> levels = {"Splash",      "Menu", "GameMenu", "Courses",     "multiplayer",
                                                 "Win",         "Menu", "GameMenu", "Courses",     "multiplayer",
                                                 "Win",         "Menu"};
        EXPECT_EQ(Levels(a), levels);
        EXPECT_EQ(Levels(b), levels);
        const std::vector<Race> racesA = Races(a);
        const std::vector<Race> racesB = Races(b);
        ASSERT_EQ(racesA.size(), 2u);
        ASSERT_EQ(racesB.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const struct {
                const char* name;
                const Race& own;
                const Race& other;
            } sides[] = {{"A", racesA[i], racesB[i]}, {"B", racesB[i], racesA[i]}};
            for (const auto& side : sides) {
                const std::string where = std::string(side.name) + " in race " + std::to_string(i + 1);
                ASSERT_GT(side.own.time, 0.0) << where << " never reached the goal; see " << work;
                EXPECT_FALSE(side.own.resultBeforeGoal) << where;
                EXPECT_TRUE(side.own.clockStoodStill) << where;
                // Equal times are a win for both.
                EXPECT_EQ(side.own.result, side.own.time <= side.other.time ? "YOU WIN!" : "YOU LOSE!") << where;
            }
        }
    }

    std::unique_ptr<NamespacePair> namespaces;
    // Each game keeps its own records, away from the repository's data.
    ZELMTest::ScratchData dataA;
    ZELMTest::ScratchData dataB;
    const std::string work = "/tmp/fallward-race-" + std::to_string(::getpid());
};

TEST_F(RaceRun, TwoGamesPairRaceAndSeeTheOtherLeave) {
    // A holds RIGHT and quits first; B goes on long enough to see it leave, even on a machine so
    // busy that B runs several frames to each of A's.
    ASSERT_EQ(RunBoth("pick-race-hold-right.input", 800, "pick-race.input", 4000), 0)
        << "exit statuses (A * 16 + B); see " << work;
    const std::vector<Frame> a = ReadTrace(work + "/A.jsonl");
    const std::vector<Frame> b = ReadTrace(work + "/B.jsonl");
    ASSERT_EQ(a.size(), 800u);
    ASSERT_EQ(b.size(), 4000u);

    // The first on the race course waits for the other; once both are there they pair quickly.
    int quickest = 1 << 30;
    for (const std::vector<Frame>* trace : {&a, &b}) {
        const int race = FirstFrameWith(*trace, "\"level\":\"multiplayer\"");
        const int paired = FirstFrameWith(*trace, "\"connected\":true");
        ASSERT_GT(race, 0);
        ASSERT_GT(paired, 0) << "never paired";
        quickest = std::min(quickest, paired - race);
        EXPECT_GE(FirstFrameWith(*trace, "\"GO!\""), paired);
    }
    EXPECT_LE(quickest, 300);
    // The first to reach the race course waits for the other, saying where it looks.
    const char kLooking[] = "Waiting for player to connect... Looking on fw";
    EXPECT_GT(std::max(FirstFrameWith(a, kLooking), FirstFrameWith(b, kLooking)), 0);

    // B's last word from A carries A's last state.
    int lastHeard = 0;
    for (std::size_t i = 1; i < b.size(); ++i) {
        if (Number(b[i], "\"received\":") > Number(b[i - 1], "\"received\":")) {
            lastHeard = b[i].frame;
        }
    }
    ASSERT_GT(lastHeard, 0);
    const Frame& lastA = a.back();
    const Frame& lastB = b[static_cast<std::size_t>(lastHeard) - 1];
    const bool aHosts = Has(lastA, "\"hosting\":true");
    EXPECT_NE(aHosts, Has(lastB, "\"hosting\":true")) << "exactly one machine hosts";
    EXPECT_EQ(Number(lastA, "\"association\":"), aHosts ? 1 : 2);
    EXPECT_EQ(Number(lastB, "\"association\":"), aHosts ? 2 : 1);

    // A's player fell right to the blue wall; on B its remote player did the same, while B's own
    // player stayed at the start.
    const Frame& racingA = a[a.size() - 2];  // the last frame still has its players
    EXPECT_GT(Number(racingA, "\"player\":{\"name\":\"Player\",\"x\":"), 6.0);
    EXPECT_LT(Number(racingA, "\"remote\":{\"x\":"), 3.0);
    EXPECT_GT(Number(lastB, "\"remote\":{\"x\":"), 6.0);
    EXPECT_LT(Number(lastB, "\"player\":{\"name\":\"Player\",\"x\":"), 3.0);

    // 120 frames after B heard from A for the last time, B says so.
    EXPECT_EQ(FirstFrameWith(b, kDisconnected), lastHeard + 120);

    for (const char* name : {"A", "B"}) {
        std::ifstream log(work + "/state" + name + "/fallward/NetworkLog.txt");
        const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("Paired with 10.77.0."), std::string::npos) << name;
    }
}

TEST_F(RaceRun, EachOfTwoRacesInOneRunComparesThatRacesTimes) {
    // Both go through the menus to the race, hold the way to the goal, wait for the result, and
    // do it again; B picks the second race later, so A races it while B is still in the menus.
    ASSERT_EQ(RunBoth("race-twice.input", 3600, "race-twice-late.input", 3900), 0)
        << "exit statuses (A * 16 + B); see " << work;
    ExpectTwoRacesEachComparingItsTimes();
}

// The game ticks at 60 Hz on any display: a 144 Hz machine races a 60 Hz one, B's input at the
// same times, and each race still ends the same way on both.
TEST_F(RaceRun, AGameAt144HzRacesAGameAt60Hz) {
    ASSERT_EQ(RunBoth("race-twice.input", 3600, "race-twice-late.input", 3900 * 12 / 5, 6.9444), 0)
        << "exit statuses (A * 16 + B); see " << work;
    ExpectTwoRacesEachComparingItsTimes();
}

}  // namespace
