// The race message of each tick: this machine's keys and player going out, and the peer's
// applied in the order of its ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "networking/RaceProtocol.h"
#include "utilities/DynamicCaller.h"

namespace Networking {

class RaceExchange {
public:
    // `engine`: the caller on "Engine" the keys are asked for and set through.
    explicit RaceExchange(ZELM::DynamicCaller& engine) : engine(engine) {}

    // This tick's message, with the local keys, the local player's motion and this player's
    // finish time.
    std::string BuildMessage(float finishTime);
    // Gives the peer's keys and motion to the remote side. False, with nothing applied, for a
    // message older than one applied before.
    bool Apply(const RaceMessage& message);

    // A peer paired anew may have started its game again, and its ticks with it.
    void ForgetRemoteTick() { remoteTick = 0; }
    // The newest tick of the peer whose state was applied (0 before the first of a pairing).
    std::uint32_t GetRemoteTick() const { return remoteTick; }

private:
    void ApplyKeys(const RaceMessage& message);

    ZELM::DynamicCaller& engine;
    std::uint32_t remoteTick = 0;
    // The key part's angle and list of boxes: nothing in the game turns or fills them.
    float angle = 0.0f;
    std::vector<float> boxes;
};

}  // namespace Networking
