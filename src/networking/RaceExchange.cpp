// Building the race message from the input service's key states, and applying the peer's.
#include "networking/RaceExchange.h"

#include <cstring>

#include "engine/Engine.h"
#include "networking/RaceEntities.h"

namespace Networking {
namespace {

// The tick this machine's race messages carry, by which the peer puts them in order; 0 without an
// engine (the tests).
std::uint32_t CurrentTick() {
    return ZELM::Engine::Exists() ? static_cast<std::uint32_t>(ZELM::Engine::Instance().GetTickCount()) : 0;
}

}  // namespace

std::string RaceExchange::BuildMessage(float finishTime) {
    static const KeyState kReleased{};
    // The keys the game shipped with for the actions held, not the keys pressed: the peer reads its
    // remote player by those, whatever either player chose.
    const char* keys = engine.IsBound("getActionKeystates") ? engine.Call<char*>("getActionKeystates") : nullptr;
    const char* pastKeys =
        engine.IsBound("getPastActionKeystates") ? engine.Call<char*>("getPastActionKeystates") : nullptr;
    PlayerState state;
    const bool hasLocal = RaceEntities::ReadLocalPlayer(state);
    return FormatRaceMessage(CurrentTick(), hasLocal ? &state : nullptr,
                             keys != nullptr ? keys : kReleased.data(),
                             pastKeys != nullptr ? pastKeys : kReleased.data(), angle, boxes, finishTime);
}

bool RaceExchange::Apply(const RaceMessage& message) {
    if (message.hasState) {
        // UDP may hand over an older datagram after a newer one: its place would pull the remote
        // player back, and its keys would press again what the peer has let go.
        if (message.tick < remoteTick) {
            return false;
        }
        remoteTick = message.tick;
    }
    ApplyKeys(message);
    if (message.hasState) {
        RaceEntities::ApplyToRemotePlayer(message.state);
    }
    return true;
}

void RaceExchange::ApplyKeys(const RaceMessage& message) {
    char* keys = engine.IsBound("getNetworkKeystates") ? engine.Call<char*>("getNetworkKeystates") : nullptr;
    char* pastKeys =
        engine.IsBound("getNetworkPastKeystates") ? engine.Call<char*>("getNetworkPastKeystates") : nullptr;
    if (keys == nullptr || pastKeys == nullptr) {
        return;
    }
    if (message.hasKeys) {
        std::memcpy(keys, message.keys.data(), kKeyCount);
        std::memcpy(pastKeys, message.pastKeys.data(), kKeyCount);
    } else {
        // A message without its keys leaves the peer's keys released.
        std::memcpy(pastKeys, keys, kKeyCount);
        std::memset(keys, 0, kKeyCount);
    }
}

}  // namespace Networking
