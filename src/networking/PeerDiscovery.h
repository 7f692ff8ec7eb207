// Finding the other machine of a race course: hellos, the election of a host, and the replies to
// the machines that asked to pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "networking/Datagram.h"
#include "networking/DatagramTransport.h"
#include "utilities/DynamicBinder.h"

namespace Networking {

class PeerDiscovery {
public:
    // What goes to a peer every tick, and where.
    struct PeerRecord {
        std::string text;
        PeerAddress address;
    };

    // On the first race course, not hosting, saying hello.
    PeerDiscovery();

    // "Hosting", "ClientMessages" and "WaitOnThisManyMessagesUntilSendHosting", into the manager's table.
    void Bind(ZELM::DynamicBinder& binder);

    // A forged sender such as the broadcast address would have the replies go to everyone.
    static bool CanBePeer(std::uint32_t address, std::uint32_t broadcastAddress);
    // Takes one discovery datagram of this tick. True when it is the pairing reply of a machine this
    // one answered and `connected` is still false: the two are to pair.
    bool Hear(const Datagram& datagram, std::uint32_t ownAddress, bool connected);
    // Another course forgets the peers heard so far and starts the election again; false, with
    // nothing changed, when the course is the one already set.
    bool SetCourse(std::string name);

    const std::string& GetCourse() const { return course; }
    // What this machine broadcasts while it knows no peer: a hello, or a host's announcement.
    const std::string& GetBroadcastText() const { return broadcastText; }
    // The machines that asked to pair, each with the reply it is sent every tick.
    const std::map<std::uint32_t, PeerRecord>& GetPendingPeers() const { return pendingPeers; }
    bool IsHosting() const { return hosting; }
    unsigned GetClientMessages() const { return clientMessages; }

private:
    // More would let a spoofing sender make this machine answer half the network every tick.
    static constexpr std::size_t kMaxPendingPeers = 8;

    void AnswerPeer(const PeerAddress& from);
    void BecomeHost();
    void StepDown();

    std::string course = "multiplayer";  // the first race course, until the menu picks one
    bool hosting = false;
    unsigned clientMessages = 0;  // hellos heard while not hosting
    // Hellos heard before hosting: a searching peer sends one a tick, so 40 take two thirds of a second.
    unsigned waitBeforeHosting = 40;
    std::map<std::uint32_t, PeerRecord> pendingPeers;
    std::string broadcastText;
};

}  // namespace Networking
