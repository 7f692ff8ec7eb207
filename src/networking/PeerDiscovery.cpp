// The election by counted hellos, the tie-break of two hosts, and who is answered.
#include "networking/PeerDiscovery.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "networking/RaceProtocol.h"

namespace Networking {

PeerDiscovery::PeerDiscovery() : broadcastText(HelloMessage(course)) {}

void PeerDiscovery::Bind(ZELM::DynamicBinder& binder) {
    binder.BindProperty(&hosting, "Hosting", false, false);
    binder.BindProperty(&clientMessages, "ClientMessages", false, false);
    binder.BindProperty(&waitBeforeHosting, "WaitOnThisManyMessagesUntilSendHosting", false, false);
}

bool PeerDiscovery::CanBePeer(std::uint32_t address, std::uint32_t broadcastAddress) {
    return address != 0 && address != 0xFFFFFFFFu && address != broadcastAddress && address < 0xE0000000u;
}

bool PeerDiscovery::Hear(const Datagram& datagram, std::uint32_t ownAddress, bool connected) {
    // A machine on another course, or an older game that names none, is left alone.
    const std::string_view named = ReadDiscoveryCourse(datagram.text);
    if (named.empty() || named != course) {
        return false;
    }
    switch (ReadDiscoveryType(datagram.text)) {
        case DiscoveryType::HostAnnouncement:
            if (!hosting) {
                clientMessages = 0;
                AnswerPeer(datagram.from);
            } else if (ownAddress > datagram.from.address) {
                // Both became host in the same tick: the higher address gives way, or neither
                // would ever answer the other.
                StepDown();
                AnswerPeer(datagram.from);
            }
            return false;
        case DiscoveryType::Hello:
            if (hosting) {
                AnswerPeer(datagram.from);
            } else if (++clientMessages >= waitBeforeHosting) {
                BecomeHost();
            }
            return false;
        case DiscoveryType::PairingReply:
            return !connected && pendingPeers.count(datagram.from.address) != 0;
        case DiscoveryType::Finish:
            std::fputs("FINI\n", stdout);
            return false;
        default:
            return false;
    }
}

bool PeerDiscovery::SetCourse(std::string name) {
    if (name == course) {
        return false;
    }
    course = std::move(name);
    // What was heard and answered was for the other course: the election starts again.
    pendingPeers.clear();
    StepDown();
    return true;
}

void PeerDiscovery::AnswerPeer(const PeerAddress& from) {
    if (pendingPeers.count(from.address) == 0 && pendingPeers.size() >= kMaxPendingPeers) {
        return;
    }
    pendingPeers[from.address] = PeerRecord{PairingReply(course), from};
}

void PeerDiscovery::BecomeHost() {
    clientMessages = 0;
    hosting = true;
    // Only matters should this manager ever have to elect again.
    waitBeforeHosting = static_cast<unsigned>(std::rand()) % 40;
    broadcastText = HostAnnouncement(course);
}

void PeerDiscovery::StepDown() {
    hosting = false;
    clientMessages = 0;
    broadcastText = HelloMessage(course);
}

}  // namespace Networking
