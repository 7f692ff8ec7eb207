// What the race looks for among the level's entities: its two players, with their motion as the race
// message carries it, and its clock.
#pragma once

#include "engine/EntityHandle.h"
#include "networking/RaceProtocol.h"

namespace Networking {

class RaceEntities {
public:
    // The first local player (a physics body without "NetworkInput", one with a
    // "NetworkingComponent" first) and the first remote player (a body with "NetworkInput").
    static ZELM::EntityHandle FindLocalPlayer();
    static ZELM::EntityHandle FindRemotePlayer();

    // The local player's motion, each value 0 that the player does not answer for; false, with
    // `state` untouched, when the level has no local player.
    static bool ReadLocalPlayer(PlayerState& state);
    // Gives the remote player, when the level has one, the motion the peer sent.
    static void ApplyToRemotePlayer(const PlayerState& state);
    // The remote player's place; false while the level has none.
    static bool GetRemotePosition(float& x, float& y);

    // Stops the race's clock (the first "TimingComponent" that answers "PauseTimer") while the race
    // waits for its peer.
    static void PauseClock();
};

}  // namespace Networking
