// The network manager's state machine on an in-memory network: election, the double-host
// tie-break, pairing, the race message step, disconnection, its log and its socket problems.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/Physical.h"
#include "input/InputService.h"
#include "networking/MemoryTransport.h"
#include "networking/NetworkManager.h"
#include "networking/NetworkingComponent.h"
#include "physics/PhysicsComponent.h"
#include "physics/PhysicsService.h"
#include "utilities/Dynamic.h"

namespace {

using namespace Networking;

constexpr std::uint32_t kOwn = 0x0A000001;   // 10.0.0.1
constexpr std::uint32_t kPeer = 0x0A000002;  // 10.0.0.2
constexpr int kRight = 205;
// The course a manager races until the menu picks one.
constexpr const char* kCourse = "multiplayer";

std::string ReadAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

NetworkManager::Settings TestSettings(const std::string& logPath = std::string()) {
    NetworkManager::Settings settings;
    settings.idleWait = std::chrono::microseconds(0);
    settings.logPath = logPath;
    return settings;
}

// The game flow's side of the race, as calls it records.
class GameFlowStandIn : public ZELM::DynamicBinder {
public:
    GameFlowStandIn() {
        SetName("Engine");
        Bind("PostSomeText", this, &GameFlowStandIn::PostSomeText);
        Bind("UnpauseTimer", this, &GameFlowStandIn::UnpauseTimer);
        Bind("SetOtherPlayerTime", this, &GameFlowStandIn::SetOtherPlayerTime);
        Bind("ChangeLevelDueToNetworkDisconnect", this, &GameFlowStandIn::Disconnected);
    }
    ~GameFlowStandIn() override { UnbindAll(); }

    void PostSomeText(std::string text) { calls.push_back("text " + text); }
    void UnpauseTimer() { calls.push_back("unpause"); }
    void SetOtherPlayerTime(float time) { otherTime = time; }
    void Disconnected() { ++disconnections; }

    std::vector<std::string> calls;
    float otherTime = -1.0f;
    int disconnections = 0;
};

// One machine: physics for the players' bodies, the input service for the keys, the manager on
// the in-memory network, and a race level's two players.
class RaceMachine {
public:
    RaceMachine(MemoryNetwork& network, std::uint32_t address) {
        auto memory = std::make_unique<MemoryTransport>(network, address);
        transport = memory.get();
        input = new Input::InputService(true);
        manager = new NetworkManager(std::move(memory), TestSettings());
        const std::pair<ZELM::Service*, const char*> named[] = {
            {new Kestrin::PhysicsService(), "Physics"}, {input, "Input"}, {manager, "NetworkManager"}};
        for (const auto& [service, name] : named) {
            service->SetServiceName(name);
            services.emplace_back(service);
        }
        ZELM::ComponentRegistry::Instance().SetServices(&services);
        ZELM::ComponentRegistry::Instance().SetEntities(&entities);
        for (auto& service : services) {
            service->Bind();
        }
        for (auto& service : services) {
            service->Init();
        }
    }
    ~RaceMachine() {
        entities.DestroyAllEntities();
        services.clear();
        ZELM::ComponentRegistry::DestroyInstance();
        ZELM::DynamicBase::RemoveTablesOf("Engine");
    }

    // A player of the race level at x = 2: the local one, or the remote one with "NetworkInput".
    ZELM::EntityHandle AddPlayer(const std::string& name, bool remote) {
        ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
        ZELM::EntityHandle entity = entities.Create(name);
        auto* physical = new ZELM::Physical();
        physical->SetTypeName("Physical");
        std::vector<ZELM::Component*> components = {physical, registry.Create("Physics", "PhysicsComponent"),
                                                    registry.Create("NetworkManager", "NetworkingComponent")};
        if (remote) {
            components.push_back(registry.Create("Input", "NetworkInput"));
        }
        for (ZELM::Component* component : components) {
            entity.Resolve()->AddComponent(component);
            component->Bind();
            component->AddToService();
            component->Init();
        }
        physical->SetX(2.0f);
        return entity;
    }

    static unsigned Association(const ZELM::EntityHandle& player) {
        return static_cast<Kestrin::PhysicsComponent*>(player.Resolve()->GetComponent("PhysicsComponent"))
            ->GetGravityAssociation();
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            manager->Update(16.0f);
        }
    }

    // Pairs with a peer at kPeer that the test plays by hand: its host announcement, then its
    // reply; the third tick is the first race message step.
    void PairWithHandPlayedHost() {
        transport->Inject({kPeer, 8005}, HostAnnouncement(kCourse));
        Ticks(1);
        transport->Inject({kPeer, 8005}, PairingReply(kCourse));
        Ticks(2);
    }

    std::vector<std::unique_ptr<ZELM::Service>> services;
    ZELM::EntityController entities;
    Input::InputService* input = nullptr;
    NetworkManager* manager = nullptr;
    MemoryTransport* transport = nullptr;
};

// A bare manager, for the election: two of them cannot share the "Engine" table's bindings.
struct Candidate {
    Candidate(MemoryNetwork& network, std::uint32_t address) {
        auto memory = std::make_unique<MemoryTransport>(network, address);
        transport = memory.get();
        manager = std::make_unique<NetworkManager>(std::move(memory), TestSettings());
        manager->Init();
    }
    MemoryTransport* transport;
    std::unique_ptr<NetworkManager> manager;
};

TEST(NetworkManager, TheFirstToCountFortyHellosHostsAndBothPairOnTheRacePort) {
    MemoryNetwork network;
    Candidate first(network, kOwn);
    Candidate second(network, kPeer);
    first.manager->SetAllowCommunication(true);
    // The second machine is still in its menus: it counts hellos without sending any.
    for (int tick = 0; tick < 10; ++tick) {
        first.manager->Update(16.0f);
        second.manager->Update(16.0f);
    }
    EXPECT_EQ(second.manager->GetClientMessages(), 10u);
    EXPECT_TRUE(second.transport->sent.empty());
    second.manager->SetAllowCommunication(true);
    int ticks = 10;
    while (ticks < 200 && !(first.manager->IsConnected() && second.manager->IsConnected())) {
        first.manager->Update(16.0f);
        second.manager->Update(16.0f);
        ++ticks;
    }
    ASSERT_TRUE(first.manager->IsConnected() && second.manager->IsConnected())
        << "after " << ticks << " ticks";
    EXPECT_LE(ticks, 60);
    EXPECT_TRUE(second.manager->IsHosting()) << "it had counted ten hellos more";
    EXPECT_FALSE(first.manager->IsHosting());
    EXPECT_EQ(first.manager->GetPeerAddress(), kPeer);
    EXPECT_EQ(second.manager->GetPeerAddress(), kOwn);
    for (const Candidate* machine : {&first, &second}) {
        EXPECT_EQ(machine->transport->GetPort(), 8006);
        EXPECT_FALSE(machine->transport->IsBroadcast());
    }
    first.manager->Update(16.0f);
    second.manager->Update(16.0f);
    EXPECT_EQ(second.manager->GetGlobalAssociation(), 1u);
    EXPECT_EQ(first.manager->GetGlobalAssociation(), 2u);
    EXPECT_FALSE(first.manager->IsDiscovering());
    EXPECT_EQ(first.transport->sent.back().first.port, 8006) << "race messages go to the peer's race port";
    EXPECT_EQ(first.transport->sent.back().first.address, kPeer);
}

TEST(NetworkManager, OnlyMachinesOnTheSameCoursePair) {
    const struct {
        const char* first;
        const char* second;
        bool pair;
    } cases[] = {
        {"multiplayer", "multiplayer", true},
        {"multiplayer2", "multiplayer2", true},
        {"multiplayer", "multiplayer2", false},
        {"multiplayer2", "", false},  // an older game, whose datagrams name no course
    };
    for (const auto& c : cases) {
        MemoryNetwork network;
        Candidate first(network, kOwn);
        Candidate second(network, kPeer);
        first.manager->SetRaceCourse(c.first);
        second.manager->SetRaceCourse(c.second);
        first.manager->SetAllowCommunication(true);
        second.manager->SetAllowCommunication(true);
        for (int tick = 0; tick < 200; ++tick) {
            first.manager->Update(16.0f);
            second.manager->Update(16.0f);
            if (std::string(c.second).empty()) {
                // What an older game sends: its discovery texts without a course.
                first.transport->Inject({kPeer, 8005}, tick % 2 == 0 ? "0ZOL0ACK\n" : "0ZOLHACK\n");
            }
        }
        EXPECT_EQ(first.manager->IsConnected(), c.pair) << c.first << " and " << c.second;
        if (!c.pair) {
            EXPECT_EQ(first.manager->GetPendingPeerCount(), 0u) << c.first << " and " << c.second;
            EXPECT_TRUE(first.transport->IsBroadcast()) << "still looking on the discovery port";
        }
    }
}

TEST(NetworkManager, APairingLastsForTheSameCourseAndIsLeftForAnother) {
    MemoryNetwork network;
    RaceMachine machine(network, kOwn);
    GameFlowStandIn flow;
    machine.manager->SetAllowCommunication(true);
    machine.PairWithHandPlayedHost();
    ASSERT_TRUE(machine.manager->IsConnected());
    machine.manager->SetRaceCourse(kCourse);
    EXPECT_TRUE(machine.manager->IsConnected()) << "the same course needs no new pairing";
    machine.manager->SetRaceCourse("multiplayer2");
    EXPECT_FALSE(machine.manager->IsConnected());
    EXPECT_EQ(machine.manager->GetPeerAddress(), 0u);
    machine.transport->sent.clear();
    machine.Ticks(1);
    EXPECT_TRUE(machine.transport->IsBroadcast());
    ASSERT_FALSE(machine.transport->sent.empty());
    EXPECT_EQ(machine.transport->sent.back().second, HelloMessage("multiplayer2"));
    // The old peer's announcement of the first course is not answered.
    machine.transport->Inject({kPeer, 8005}, HostAnnouncement(kCourse));
    machine.Ticks(1);
    EXPECT_EQ(machine.manager->GetPendingPeerCount(), 0u);
}

TEST(NetworkManager, TwoHostsOfTheSameTickStillPairTheHigherAddressGivingWay) {
    MemoryNetwork network;
    Candidate low(network, kOwn);
    Candidate high(network, kPeer);
    // A third machine's forty hellos make both hosts in the same tick.
    for (int i = 0; i < 40; ++i) {
        low.transport->Inject({0x0A000009, 8005}, HelloMessage(kCourse));
        high.transport->Inject({0x0A000009, 8005}, HelloMessage(kCourse));
    }
    low.manager->Update(16.0f);
    high.manager->Update(16.0f);
    ASSERT_TRUE(low.manager->IsHosting() && high.manager->IsHosting());
    low.manager->SetAllowCommunication(true);
    high.manager->SetAllowCommunication(true);
    for (int tick = 0; tick < 20 && !(low.manager->IsConnected() && high.manager->IsConnected()); ++tick) {
        low.manager->Update(16.0f);
        high.manager->Update(16.0f);
    }
    EXPECT_TRUE(low.manager->IsConnected() && high.manager->IsConnected());
    EXPECT_TRUE(low.manager->IsHosting());
    EXPECT_FALSE(high.manager->IsHosting());
}

TEST(NetworkManager, TheRaceMessageStepDrivesTheRemotePlayerFromThePeerOnly) {
    MemoryNetwork network;
    RaceMachine machine(network, kOwn);
    GameFlowStandIn flow;
    ZELM::EntityHandle local = machine.AddPlayer("Player", false);
    ZELM::EntityHandle remote = machine.AddPlayer("RemotePlayer", true);
    machine.manager->SetAllowCommunication(true);
    machine.PairWithHandPlayedHost();
    ASSERT_TRUE(machine.manager->IsConnected());
    EXPECT_FALSE(machine.manager->IsHosting());
    EXPECT_EQ(RaceMachine::Association(local), 2u);
    EXPECT_EQ(RaceMachine::Association(remote), 1u);
    // The race starts once: the clock first, since resuming it clears the notice line.
    const std::vector<std::string> start = {"unpause", "text GO!"};
    EXPECT_EQ(std::vector<std::string>(flow.calls.end() - 2, flow.calls.end()), start);

    // What goes out is the local player's state and keys.
    machine.input->getActionKeystates()[kRight] = static_cast<char>(0x80);  // gravity right held, by any key
    local.Resolve()->CallAll("SetX", 4.5f);
    machine.manager->Update(16.0f);
    const RaceMessage sent = ParseRaceMessage(machine.transport->sent.back().second);
    ASSERT_TRUE(sent.hasState && sent.hasKeys);
    EXPECT_EQ(sent.state.x, 4.5f);
    EXPECT_NE(sent.keys[kRight], 0);

    const KeyState right = [] {
        KeyState keys{};
        keys[kRight] = static_cast<char>(0x80);
        return keys;
    }();
    const KeyState none{};
    const PlayerState peerState{9.0f, 3.0f, 0.0f, 0.0f, 1.5f, 0.0f, 1.0f, 0.0f};
    const std::string peerMessage =
        FormatRaceMessage(1, &peerState, right.data(), none.data(), 0.0f, {}, 12.0f);
    // A stranger's message, however well formed, is dropped.
    const PlayerState forged{50.0f, 50.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    machine.transport->Inject({0x0A000042, 8006},
                              FormatRaceMessage(1, &forged, right.data(), none.data(), 0.0f, {}, 1.0f));
    machine.Ticks(1);
    EXPECT_EQ(remote.Resolve()->Call<float>("GetX"), 2.0f);
    EXPECT_FALSE(machine.input->NetKeyDown("RIGHT"));

    machine.transport->Inject({kPeer, 8006}, peerMessage);
    machine.Ticks(1);
    EXPECT_EQ(remote.Resolve()->Call<float>("GetX"), 9.0f);
    EXPECT_EQ(remote.Resolve()->Call<float>("GetXVelocity"), 1.5f);
    EXPECT_EQ(remote.Resolve()->Call<float>("GetXGravity"), 1.0f);
    EXPECT_TRUE(machine.input->NetKeyDown("RIGHT"));
    EXPECT_TRUE(machine.input->NetKeyTriggered("RIGHT"));
    EXPECT_EQ(flow.otherTime, 12.0f);
    EXPECT_EQ(local.Resolve()->Call<float>("GetX"), 4.5f) << "the local player is never overwritten";

    // A message that lost its keys leaves the remote keys released.
    machine.transport->Inject({kPeer, 8006}, FormatStatePart(2, peerState) + "\n");
    machine.Ticks(1);
    EXPECT_FALSE(machine.input->NetKeyDown("RIGHT"));
    EXPECT_EQ(flow.otherTime, 12.0f) << "a finish time that did not arrive keeps the last one";
    EXPECT_EQ(std::count(flow.calls.begin(), flow.calls.end(), "text GO!"), 1);
}

// 120 ticks: two seconds at 60 ticks a second.
TEST(NetworkManager, APeerSilentFor120TicksIsADisconnectionEvery120Ticks) {
    MemoryNetwork network;
    RaceMachine machine(network, kOwn);
    GameFlowStandIn flow;
    machine.AddPlayer("Player", false);
    machine.manager->SetAllowCommunication(true);
    machine.PairWithHandPlayedHost();
    const KeyState none{};
    machine.transport->Inject({kPeer, 8006},
                              FormatRaceMessage(0, nullptr, none.data(), none.data(), 0.0f, {}, 0.0f));
    machine.Ticks(1);
    ASSERT_EQ(machine.manager->GetTicksWithoutMessage(), 0u);
    machine.Ticks(119);
    EXPECT_EQ(flow.disconnections, 0);
    machine.Ticks(1);
    EXPECT_EQ(flow.disconnections, 1);
    machine.Ticks(119);
    EXPECT_EQ(flow.disconnections, 1);
    machine.Ticks(1);
    EXPECT_EQ(flow.disconnections, 2);
}

TEST(NetworkManager, AStateOlderThanOneAppliedIsIgnoredWithItsKeysAndFinishTime) {
    MemoryNetwork network;
    RaceMachine machine(network, kOwn);
    GameFlowStandIn flow;
    machine.AddPlayer("Player", false);
    ZELM::EntityHandle remote = machine.AddPlayer("RemotePlayer", true);
    machine.manager->SetAllowCommunication(true);
    machine.PairWithHandPlayedHost();
    ASSERT_TRUE(machine.manager->IsConnected());
    EXPECT_EQ(machine.manager->GetRemoteTick(), 0u);
    KeyState right{};
    right[kRight] = static_cast<char>(0x80);
    const KeyState none{};
    // A late datagram holds RIGHT and a finish time that no datagram in time has.
    struct Arrival {
        std::uint32_t tick;
        float x;
        bool late;
    };
    const struct {
        const char* name;
        std::vector<Arrival> arrivals;  // in one tick, in the order they arrive
        float x;
        std::uint32_t remoteTick;
    } steps[] = {
        {"first", {{10, 5.0f, false}}, 5.0f, 10},
        {"late", {{8, 3.0f, true}}, 5.0f, 10},
        {"the same tick again", {{10, 5.5f, false}}, 5.5f, 10},
        {"swapped in one tick", {{12, 7.0f, false}, {11, 6.0f, true}}, 7.0f, 12},
        {"next", {{13, 8.0f, false}}, 8.0f, 13},
    };
    for (const auto& step : steps) {
        for (const Arrival& arrival : step.arrivals) {
            const PlayerState state{arrival.x, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f};
            machine.transport->Inject(
                {kPeer, 8006}, FormatRaceMessage(arrival.tick, &state, (arrival.late ? right : none).data(),
                                                 none.data(), 0.0f, {}, arrival.late ? 30.0f : 0.0f));
        }
        machine.Ticks(1);
        EXPECT_EQ(remote.Resolve()->Call<float>("GetX"), step.x) << step.name;
        EXPECT_EQ(machine.manager->GetRemoteTick(), step.remoteTick) << step.name;
        EXPECT_FALSE(machine.input->NetKeyDown("RIGHT")) << step.name;
        EXPECT_EQ(flow.otherTime, 0.0f) << step.name;
        EXPECT_EQ(machine.manager->GetTicksWithoutMessage(), 0u)
            << step.name << ": the peer was heard all the same";
    }
}

TEST(NetworkManager, APairingMadeAgainTakesThePeersTicksAfresh) {
    MemoryNetwork network;
    RaceMachine machine(network, kOwn);
    GameFlowStandIn flow;
    machine.AddPlayer("Player", false);
    ZELM::EntityHandle remote = machine.AddPlayer("RemotePlayer", true);
    machine.manager->SetAllowCommunication(true);
    machine.PairWithHandPlayedHost();
    const KeyState none{};
    const PlayerState before{5.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f};
    machine.transport->Inject({kPeer, 8006},
                              FormatRaceMessage(5000, &before, none.data(), none.data(), 0.0f, {}, 0.0f));
    machine.Ticks(1);
    ASSERT_EQ(machine.manager->GetRemoteTick(), 5000u);
    // The pairing is left for another course and made again; the peer's game has started anew since.
    machine.manager->SetRaceCourse("multiplayer2");
    machine.manager->SetRaceCourse(kCourse);
    machine.PairWithHandPlayedHost();
    ASSERT_TRUE(machine.manager->IsConnected());
    const PlayerState after{2.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f};
    machine.transport->Inject({kPeer, 8006},
                              FormatRaceMessage(3, &after, none.data(), none.data(), 0.0f, {}, 0.0f));
    machine.Ticks(1);
    EXPECT_EQ(remote.Resolve()->Call<float>("GetX"), 2.0f);
    EXPECT_EQ(machine.manager->GetRemoteTick(), 3u);
}

TEST(NetworkManager, ARaceLevelStartedOnItsOwnSaysThatARaceIsStartedFromTheMenus) {
    const struct {
        const char* name;
        bool raceLevel;
        bool allowed;  // the course menu's race allows communication before the level loads
        bool says;
    } cases[] = {
        {"race course on its own", true, false, true},
        {"race from the menus", true, true, false},
        {"another level", false, false, false},
    };
    for (const auto& c : cases) {
        MemoryNetwork network;
        RaceMachine machine(network, kOwn);
        GameFlowStandIn flow;
        if (c.raceLevel) {
            machine.AddPlayer("Player", false);
            machine.AddPlayer("RemotePlayer", true);
        }
        machine.manager->SetAllowCommunication(c.allowed);
        machine.manager->LevelStart();
        const bool says = std::any_of(flow.calls.begin(), flow.calls.end(), [](const std::string& call) {
            return call.find("A race is started from the menus") != std::string::npos;
        });
        EXPECT_EQ(says, c.says) << c.name;
    }
}

TEST(NetworkManager, OutsideTheRaceLevelItTellsNoFinishTimeAndAnUnpairedOneFallsSilent) {
    MemoryNetwork network;
    RaceMachine machine(network, kOwn);
    GameFlowStandIn flow;
    // The race was picked, but the player went back to the menus before a peer was found.
    machine.manager->SetAllowCommunication(true);
    machine.manager->LevelStart();
    machine.Ticks(3);
    EXPECT_FALSE(machine.manager->IsCommunicationAllowed());
    EXPECT_TRUE(machine.transport->sent.empty());

    // A paired machine keeps talking between races, so the next race needs no new pairing; it
    // tells its peer no time from the race it has left.
    machine.AddPlayer("Player", false);
    machine.manager->SetAllowCommunication(true);
    machine.manager->LevelStart();
    machine.PairWithHandPlayedHost();
    machine.manager->SetNetworkingPlayerFinishTime(20.0f);
    machine.Ticks(1);
    EXPECT_EQ(ParseRaceMessage(machine.transport->sent.back().second).finishTime, 20.0f);
    machine.entities.DestroyAllEntities();
    machine.manager->LevelStart();
    machine.Ticks(1);
    EXPECT_TRUE(machine.manager->IsCommunicationAllowed());
    const RaceMessage left = ParseRaceMessage(machine.transport->sent.back().second);
    EXPECT_TRUE(left.hasFinishTime);
    EXPECT_EQ(left.finishTime, 0.0f);
}

TEST(NetworkManager, DiscoveryIsLoggedWithoutLettingASenderForgeLines) {
    const std::string path = "/tmp/fallward-netlog-" + std::to_string(::getpid()) + ".txt";
    std::remove(path.c_str());
    std::remove(NetworkLog::OldPath(path).c_str());
    {
        MemoryNetwork network;
        auto memory = std::make_unique<MemoryTransport>(network, kOwn);
        MemoryTransport* transport = memory.get();
        NetworkManager::Settings settings = TestSettings(path);
        settings.logLimit = 300;
        NetworkManager manager(std::move(memory), settings);
        manager.Init();
        transport->Inject({kPeer, 8005}, HelloMessage(kCourse));
        transport->Inject({kPeer, 8005}, "0ZOLFAKE\nMessages Sent: forged\x01");
        transport->Inject({kPeer, 8005}, "not ours");
        transport->Inject({kOwn, 8005}, HelloMessage(kCourse));
        manager.Update(16.0f);
        EXPECT_EQ(manager.GetReceivedMessages(), 2u);
        EXPECT_EQ(ReadAll(path),
                  "Messages Sent: 0ZOL0ACK multiplayer\n"
                  "Address stuff: 8005, 167772162\n"
                  "Messages Sent: 0ZOLFAKE\\x0aMessages Sent: forged\\x01\n"
                  "Address stuff: 8005, 167772162\n");
        for (int i = 0; i < 10; ++i) {
            transport->Inject({kPeer, 8005}, HelloMessage(kCourse));
        }
        manager.Update(16.0f);
    }
    EXPECT_LE(ReadAll(path).size(), 300u);
    EXPECT_FALSE(ReadAll(NetworkLog::OldPath(path)).empty()) << "the full log was rotated";
    std::remove(path.c_str());
    std::remove(NetworkLog::OldPath(path).c_str());
}

TEST(NetworkManager, ForgedSendersCannotMakeItAnswerTheWholeNetwork) {
    MemoryNetwork network;
    Candidate machine(network, kOwn);
    machine.manager->SetAllowCommunication(true);
    for (std::uint32_t sender = 0; sender < 100; ++sender) {
        machine.transport->Inject({0x0A000100 + sender, 8005}, HostAnnouncement(kCourse));
    }
    for (const std::uint32_t forged : {0u, 0xFFFFFFFFu, MemoryNetwork::kBroadcast, 0xE0000001u}) {
        machine.transport->Inject({forged, 8005}, HostAnnouncement(kCourse));
    }
    machine.manager->Update(16.0f);
    EXPECT_EQ(machine.manager->GetPendingPeerCount(), 8u);
    EXPECT_EQ(machine.manager->GetReceivedMessages(), 100u);
    machine.transport->sent.clear();
    machine.manager->Update(16.0f);
    EXPECT_EQ(machine.transport->sent.size(), 9u) << "a hello and eight replies a tick";
}

TEST(NetworkManager, ASocketProblemIsBoxedOnceThenWrittenAtMostOnceASecond) {
    MemoryNetwork network;
    auto memory = std::make_unique<MemoryTransport>(network, kOwn);
    MemoryTransport* transport = memory.get();
    transport->openProblems = {"Problem Binding Socket. Error 98: Address already in use"};
    NetworkManager manager(std::move(memory), TestSettings());
    std::vector<std::string> boxes;
    std::vector<std::string> lines;
    double now = 100.0;
    manager.SetMessageBox([&boxes](const std::string& title, const std::string& text) {
        boxes.push_back(title + ": " + text);
    });
    manager.GetErrorReporter().SetClock([&now] { return now; });
    manager.GetErrorReporter().SetRepeats([&lines](const std::string& text) { lines.push_back(text); });
    manager.Init();
    transport->receiveError = ENETDOWN;
    for (int tick = 0; tick < 50; ++tick) {
        manager.Update(16.0f);
        now += 0.25;
    }
    const std::string listening =
        "Problem Listening With UDP. Error " + std::to_string(ENETDOWN) + ": Network is down";
    EXPECT_EQ(boxes,
              (std::vector<std::string>{"Network: Problem Binding Socket. Error 98: Address already in use",
                                        "Network: " + listening}));
    // Twelve seconds of failing ticks: one line a second, each counting what it held back.
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.back(), listening + " (and 3 more like it)");
}

}  // namespace
