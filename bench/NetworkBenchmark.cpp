// The race protocol's cost per message, and a network manager frame with a flood of junk waiting.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <string>

#include "networking/MemoryTransport.h"
#include "networking/NetworkManager.h"
#include "networking/RaceProtocol.h"

namespace {

using namespace Networking;

constexpr std::uint32_t kOwn = 0x0A000001;
constexpr std::uint32_t kPeer = 0x0A000002;
constexpr int kJunk = 1000;

const PlayerState kState{12.5f, -3.0f, 0.25f, 0.0f, 4.0f, -10.75f, 1.0f, 0.0f};

KeyState HeldRight() {
    KeyState keys{};
    keys[205] = static_cast<char>(0x80);
    return keys;
}

void EncodeRaceMessage(benchmark::State& state) {
    const KeyState keys = HeldRight();
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatRaceMessage(1, &kState, keys.data(), keys.data(), 0.0f, {}, 31.125f));
    }
}
BENCHMARK(EncodeRaceMessage);

void ParseOneRaceMessage(benchmark::State& state) {
    const KeyState keys = HeldRight();
    const std::string message =
        FormatRaceMessage(1, &kState, keys.data(), keys.data(), 0.0f, {}, 31.125f) + "\n";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseRaceMessage(message));
    }
}
BENCHMARK(ParseOneRaceMessage);

std::string RandomBytes(std::mt19937& random) {
    std::string bytes(random() % kMaxDatagramSize, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() % 256);
    }
    return bytes;
}

// A manager with the game's settings (the 1 ms wait when nothing is left to read included),
// logging to a file in /tmp.
struct FloodedManager {
    FloodedManager() : path("/tmp/fallward-bench-netlog-" + std::to_string(::getpid()) + ".txt") {
        auto memory = std::make_unique<MemoryTransport>(network, kOwn);
        transport = memory.get();
        NetworkManager::Settings settings;
        settings.logPath = path;
        manager = std::make_unique<NetworkManager>(std::move(memory), settings);
        manager->Init();
        manager->SetAllowCommunication(true);
    }
    ~FloodedManager() {
        manager.reset();
        std::remove(path.c_str());
        std::remove(NetworkLog::OldPath(path).c_str());
    }
    MemoryNetwork network;
    std::string path;
    MemoryTransport* transport = nullptr;
    std::unique_ptr<NetworkManager> manager;
};

// Still looking for a peer: half of the flood is random bytes, half hellos from a thousand
// forged senders, each of which is logged and counted.
void DiscoveryFrameWithJunkWaiting(benchmark::State& state) {
    FloodedManager flooded;
    std::mt19937 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kJunk; ++i) {
            const PeerAddress from{0x0A010000u + static_cast<std::uint32_t>(i), 8005};
            flooded.transport->Inject(from, i % 2 == 0 ? RandomBytes(random) : HelloMessage("multiplayer"));
        }
        state.ResumeTiming();
        flooded.manager->Update(16.6667f);
    }
}
BENCHMARK(DiscoveryFrameWithJunkWaiting)->Unit(benchmark::kMillisecond);

// Racing: forged race messages from strangers and random bytes, and the peer's one message.
void RaceFrameWithJunkWaiting(benchmark::State& state) {
    FloodedManager flooded;
    flooded.transport->Inject({kPeer, 8005}, HostAnnouncement("multiplayer"));
    flooded.manager->Update(16.6667f);
    flooded.transport->Inject({kPeer, 8005}, PairingReply("multiplayer"));
    flooded.manager->Update(16.6667f);
    const KeyState keys = HeldRight();
    const std::string message = FormatRaceMessage(1, &kState, keys.data(), keys.data(), 0.0f, {}, 0.0f);
    std::mt19937 random(11);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kJunk; ++i) {
            const PeerAddress from{0x0A010000u + static_cast<std::uint32_t>(i), 8006};
            flooded.transport->Inject(from, i % 2 == 0 ? RandomBytes(random) : message);
        }
        flooded.transport->Inject({kPeer, 8006}, message);
        state.ResumeTiming();
        flooded.manager->Update(16.6667f);
    }
    if (!flooded.manager->IsConnected()) {
        state.SkipWithError("never paired");
    }
}
BENCHMARK(RaceFrameWithJunkWaiting)->Unit(benchmark::kMillisecond);

}  // namespace
