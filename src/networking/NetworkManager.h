// The service that pairs two machines for a race and exchanges their state.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Service.h"
#include "networking/Datagram.h"
#include "networking/DatagramTransport.h"
#include "networking/NetworkLog.h"
#include "networking/PeerDiscovery.h"
#include "networking/RaceExchange.h"
#include "networking/RaceSocket.h"
#include "networking/SocketErrorReporter.h"

namespace Networking {

class NetworkManager : public ZELM::Service {
public:
    struct Settings {
        std::uint16_t discoveryPort = 8005;
        std::uint16_t racePort = 8006;
        // Where "NetworkLog.txt" goes; empty: no log (the game passes NetworkLog::DefaultPath()).
        std::string logPath;
        std::size_t logLimit = NetworkLog::kDefaultLimit;
        // How long a tick waits, while communication is allowed, when no datagram is there; it
        // also keeps a headless race from spinning thousands of ticks a second, which would make
        // 120 ticks no time at all.
        std::chrono::microseconds idleWait{1000};
    };

    // UDP on the named interface (empty: the first that can broadcast), the log in the state directory.
    explicit NetworkManager(const std::string& interfaceName = std::string());
    NetworkManager(std::unique_ptr<DatagramTransport> transport, Settings settings);

    void Bind() override;
    // Enters "NetworkingComponent", clears the remote keys and opens the discovery socket.
    void Init() override;
    // The players' associations, then receive, the message step and send; then the pairing replies.
    void Update(float dt) override;
    // Every level starts without finish times; an unpaired machine stops talking outside the race
    // level; a race level waits, with its clock stopped, until the two machines have paired, and
    // one started on its own says that a race is started from the menus.
    void LevelStart();

    // Bound by name.
    void SetNetworkingPlayerFinishTime(float time);
    bool NeedToSendFinishTimeToOtherPlayer() { return needToSendFinishTime; }
    // The race course (its level's name) this machine pairs on; the course menu sets it before the
    // race starts. A change forgets the peers heard so far, and a pairing made on another course
    // is left, so that two machines never race on different courses.
    void SetRaceCourse(std::string name);

    // Socket problems are shown through this box once per text (default: standard error).
    void SetMessageBox(SocketErrorReporter::MessageBox box) {
        GetErrorReporter().SetMessageBox(std::move(box));
    }
    SocketErrorReporter& GetErrorReporter() { return socket.GetErrorReporter(); }

    // What the trace and the tests read.
    bool IsCommunicationAllowed() const { return allowCommunication; }
    void SetAllowCommunication(bool allow) { allowCommunication = allow; }
    bool IsHosting() const { return discovery.IsHosting(); }
    bool IsConnected() const { return connected; }
    bool IsDiscovering() const { return discovering; }
    // A race level waits for its peer: ESC leaves it for the menu rather than pausing a race
    // that has not begun.
    bool IsLookingForPeer() const;
    unsigned GetGlobalAssociation() const { return globalAssociation; }
    unsigned GetSentMessages() const { return sentMessages; }
    unsigned GetReceivedMessages() const { return receivedMessages; }
    unsigned GetClientMessages() const { return discovery.GetClientMessages(); }
    unsigned GetTicksWithoutMessage() const { return ticksWithoutMessage; }
    // The newest tick of the peer whose state was applied (0 before the first of a pairing).
    std::uint32_t GetRemoteTick() const { return exchange.GetRemoteTick(); }
    std::size_t GetPendingPeerCount() const { return discovery.GetPendingPeers().size(); }
    // The paired machine's address (0 before pairing).
    std::uint32_t GetPeerAddress() const;
    // The remote player's place while the level has one.
    bool GetRemotePosition(float& x, float& y) const;

private:
    using PeerRecord = PeerDiscovery::PeerRecord;

    // Datagrams read in one tick: a flood waits in the socket instead of stalling the tick.
    static constexpr int kMaxDatagramsPerTick = 1024;
    static constexpr float kNobodyFoundMs = 30000.0f;
    // Two seconds of silence at 60 ticks a second.
    static constexpr unsigned kDisconnectAfterTicks = 120;

    void Send(const std::string& text, const PeerAddress& to);

    void ReceiveStep();
    void DiscoverySink(Datagram&& datagram);
    void RaceSink(Datagram&& datagram);
    void DiscoveryStep();
    void RaceStep();
    void SendStep();

    void Unpair();
    void CompletePairing(const PeerAddress& from);

    bool InRaceLevel() const { return !GetComponents().empty(); }
    void KeepRemoteApart();
    void AssignAssociations();
    // The notice of where the race looks for its peer; after kNobodyFoundMs it says nobody came.
    void ShowWhereWeLook(float dtMs);
    void ApplyRaceMessage(const RaceMessage& message);

    bool allowCommunication = false;
    bool discovering = true;
    bool needToSendFinishTime = false;
    float playerFinishTime = 0.0f;
    float otherPlayerFinishTime = 0.0f;
    bool raceStartPending = true;
    std::map<std::uint32_t, PeerRecord> connectedPeers;
    bool connected = false;
    unsigned globalAssociation = 1;
    unsigned ticksWithoutMessage = 0;
    float lookingMs = 0.0f;  // how long this race level has looked for its peer
    unsigned receivedMessages = 0;
    unsigned sentMessages = 0;
    std::vector<Datagram> incoming;
    void (NetworkManager::*messageStep)() = &NetworkManager::DiscoveryStep;
    void (NetworkManager::*datagramSink)(Datagram&&) = &NetworkManager::DiscoverySink;

    Settings settings;
    RaceSocket socket;
    PeerDiscovery discovery;
    RaceExchange exchange;
    NetworkLog log;
};

}  // namespace Networking
