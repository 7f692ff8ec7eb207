// Two copies of the game, each in a network namespace of its own joined by a veth pair: they pick
// the race from the menus, pair, race, and one notices the other leaving.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

TEST(RaceRun, TwoGamesPairRaceAndSeeTheOtherLeave) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "the race between two namespaces needs root to create them";
    }
    if (Shell("ip netns list >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ip netns is not available (install iproute2)";
    }
    NamespacePair namespaces;
    ASSERT_TRUE(namespaces.ready) << "could not create the namespaces and their veth pair";

    const std::string work = "/tmp/fallward-race-" + std::to_string(::getpid());
    ASSERT_EQ(Shell("rm -rf " + work + " && mkdir -p " + work + "/stateA " + work + "/stateB"), 0);
    auto game = [&](const std::string& space, const std::string& name, const std::string& input, int frames) {
        return "timeout 60 ip netns exec " + space + " env XDG_STATE_HOME=" + work + "/state" + name + " " +
               kBinary + " --headless --fixed-dt 16.6667 --problems fatal --input-script " + kFixtures +
               "/race/" + input + " --trace " + work + "/" + name + ".jsonl --frames " +
               std::to_string(frames) + " 2>" + work + "/" + name + ".err";
    };
    // A holds RIGHT and quits first; B goes on long enough to see it leave, even on a machine so
    // busy that B runs several frames to each of A's.
    const int status =
        Shell("sh -c '" + game(namespaces.a, "A", "pick-race-hold-right.input", 800) + " & a=$!; " +
              game(namespaces.b, "B", "pick-race.input", 4000) + "; b=$?; wait $a; exit $(($? * 16 + $b))'");
    ASSERT_EQ(status, 0) << "exit statuses (A * 16 + B); see " << work;
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
    Shell("rm -rf " + work);
}

}  // namespace
