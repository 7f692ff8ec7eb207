// The service that pairs two machines for a race and exchanges their state.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "engine/Service.h"
#include "networking/DatagramTransport.h"
#include "networking/NetworkLog.h"
#include "networking/RaceProtocol.h"
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
    ~NetworkManager() override;

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
    void SetMessageBox(SocketErrorReporter::MessageBox box) { errors.SetMessageBox(std::move(box)); }
    SocketErrorReporter& GetErrorReporter() { return errors; }

    // What the trace and the tests read.
    bool IsCommunicationAllowed() const { return allowCommunication; }
    void SetAllowCommunication(bool allow) { allowCommunication = allow; }
    bool IsHosting() const { return hosting; }
    bool IsConnected() const { return connected; }
    bool IsDiscovering() const { return discovering; }
    // A race level waits for its peer: ESC leaves it for the menu rather than pausing a race
    // that has not begun.
    bool IsLookingForPeer() const;
    unsigned GetGlobalAssociation() const { return globalAssociation; }
    unsigned GetSentMessages() const { return sentMessages; }
    unsigned GetReceivedMessages() const { return receivedMessages; }
    unsigned GetClientMessages() const { return clientMessages; }
    unsigned GetTicksWithoutMessage() const { return ticksWithoutMessage; }
    // The newest tick of the peer whose state was applied (0 before the first of a pairing).
    std::uint32_t GetRemoteTick() const { return remoteTick; }
    std::size_t GetPendingPeerCount() const { return pendingPeers.size(); }
    // The paired machine's address (0 before pairing).
    std::uint32_t GetPeerAddress() const;
    // The remote player's place while the level has one.
    bool GetRemotePosition(float& x, float& y) const;
    // The first local player (a physics body without "NetworkInput", one with a
    // "NetworkingComponent" first) and the first remote player (a body with "NetworkInput").
    static ZELM::EntityHandle FindLocalPlayer();
    static ZELM::EntityHandle FindRemotePlayer();

private:
    struct PeerRecord {
        std::string text;  // what goes to the peer every tick
        PeerAddress address;
    };
    struct Datagram {
        std::string text;
        PeerAddress from;
    };

    // More would let a spoofing sender make this machine answer half the network every tick.
    static constexpr std::size_t kMaxPendingPeers = 8;
    // Datagrams read in one tick: a flood waits in the socket instead of stalling the tick.
    static constexpr int kMaxDatagramsPerTick = 1024;

    void OpenBroadcast();
    void OpenUnicast();
    void Report(const std::vector<std::string>& problems);
    void Send(const std::string& text, const PeerAddress& to);
    void Idle();

    void ReceiveStep();
    void DiscoverySink(Datagram&& datagram);
    void RaceSink(Datagram&& datagram);
    void DiscoveryStep();
    void RaceStep();
    void SendStep();

    void AnswerPeer(const PeerAddress& from);
    void BecomeHost();
    void StepDown();
    void Unpair();
    void CompletePairing(const PeerAddress& from);
    bool CanBePeer(std::uint32_t address) const;

    bool InRaceLevel() const { return !GetComponents().empty(); }
    void KeepRemoteApart();
    void AssignAssociations();
    // The notice of where the race looks for its peer; after kNobodyFoundMs it says nobody came.
    void ShowWhereWeLook(float dtMs);
    std::string BuildRaceMessage();
    void ApplyRaceMessage(const RaceMessage& message);
    void ApplyKeys(const RaceMessage& message);
    void ApplyRemoteState(const PlayerState& state);

    bool allowCommunication = false;
    std::string course = "multiplayer";  // the first race course, until the menu picks one
    bool discovering = true;
    bool needToSendFinishTime = false;
    float playerFinishTime = 0.0f;
    float otherPlayerFinishTime = 0.0f;
    bool raceStartPending = true;
    std::map<std::uint32_t, PeerRecord> pendingPeers;
    std::map<std::uint32_t, PeerRecord> connectedPeers;
    std::unique_ptr<DatagramTransport> transport;
    bool connected = false;
    bool hosting = false;
    unsigned globalAssociation = 1;
    unsigned clientMessages = 0;  // hellos heard while not hosting
    // Hellos heard before hosting: a searching peer sends one a tick, so 40 take two thirds of a second.
    unsigned waitBeforeHosting = 40;
    unsigned ticksWithoutMessage = 0;
    std::uint32_t remoteTick = 0;
    float lookingMs = 0.0f;  // how long this race level has looked for its peer
    static constexpr float kNobodyFoundMs = 30000.0f;
    // Two seconds of silence at 60 ticks a second.
    unsigned disconnectAfterTicks = 120;
    unsigned receivedMessages = 0;
    unsigned sentMessages = 0;
    PeerRecord broadcastRecord;
    std::vector<Datagram> incoming;
    float angle = 0.0f;
    std::vector<float> boxes;  // the key part's list; nothing fills it
    void (NetworkManager::*messageStep)() = &NetworkManager::DiscoveryStep;
    void (NetworkManager::*datagramSink)(Datagram&&) = &NetworkManager::DiscoverySink;

    Settings settings;
    bool broadcastMode = false;
    bool unicastMode = false;
    NetworkLog log;
    SocketErrorReporter errors;
};

}  // namespace Networking
