// The manager's tick: receive, discovery or the race message step, send; pairing and unpairing.
#include "networking/NetworkManager.h"

#include <SDL.h>

#include <cstring>

#include "engine/ComponentRegistry.h"
#include "networking/NetworkingComponent.h"
#include "networking/RaceEntities.h"
#include "networking/UdpTransport.h"
#include "windows/WindowHandles.h"

namespace Networking {
namespace {

NetworkManager::Settings GameSettings() {
    NetworkManager::Settings settings;
    settings.logPath = NetworkLog::DefaultPath();
    return settings;
}

unsigned OtherAssociation(unsigned association) {
    return association == 1 ? 2 : 1;
}

// What a race level shows on its notice line when it was started on its own: the course's
// instructions point at that line for where the race looks for the other player.
constexpr const char* kPlayedAlone =
    "Played alone: no other player is looked for. A race is started from the menus: [play], then [race].";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

NetworkManager::NetworkManager(const std::string& interfaceName)
    : NetworkManager(std::make_unique<UdpTransport>(interfaceName), GameSettings()) {
    SetMessageBox([](const std::string& title, const std::string& text) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), text.c_str(), Windows::windowHandle);
    });
}

NetworkManager::NetworkManager(std::unique_ptr<DatagramTransport> transport, Settings settings)
    : settings(std::move(settings)),
      socket(std::move(transport), this->settings.discoveryPort, this->settings.racePort,
             this->settings.idleWait),
      exchange(*this),
      log(this->settings.logPath, this->settings.logLimit) {}

void NetworkManager::Bind() {
    BindProperty(&allowCommunication, "AllowCommunication", true, false);
    BindProperty(&globalAssociation, "Global Association", false, false);
    BindProperty(&receivedMessages, "ReceivedMessages", false, false);
    BindProperty(&sentMessages, "SentMessages", false, false);
    discovery.Bind(*this);  // the election's three, in their place among the manager's properties
    BindProperty(&playerFinishTime, "PlayerFinishTime", false, false);
    BindProperty(&otherPlayerFinishTime, "OtherPlayerFinishTime", false, false);
    ZELM::DynamicBinder::Bind("SetNetworkingPlayerFinishTime", this,
                              &NetworkManager::SetNetworkingPlayerFinishTime);
    ZELM::DynamicBinder::Bind("NeedToSendFinishTimeToOtherPlayer", this,
                              &NetworkManager::NeedToSendFinishTimeToOtherPlayer);
    BindBroadcast("LevelStart", this, &NetworkManager::LevelStart);
    BindBroadcast("SetRaceCourse", this, &NetworkManager::SetRaceCourse);
    ZELM::DynamicBinder::Bind("IsLookingForPeer", this, &NetworkManager::IsLookingForPeer);
}

void NetworkManager::Init() {
    ZELM::ComponentRegistry::Instance().Register<NetworkingComponent>("NetworkManager",
                                                                      "NetworkingComponent");
    for (const char* keys : {"getNetworkKeystates", "getNetworkPastKeystates"}) {
        if (IsBound(keys)) {
            if (char* state = Call<char*>(keys)) {
                std::memset(state, 0, kKeyCount);
            }
        }
    }
    socket.OpenBroadcast();
}

void NetworkManager::Update(float dt) {
    KeepRemoteApart();
    ReceiveStep();
    (this->*messageStep)();
    SendStep();
    if (discovering && allowCommunication) {
        for (const auto& entry : discovery.GetPendingPeers()) {
            Send(entry.second.text, entry.second.address);
        }
    }
    ShowWhereWeLook(dt);
    log.Flush();
}

void NetworkManager::LevelStart() {
    // Finish times belong to one race: a machine that has left it tells its peer none.
    playerFinishTime = 0.0f;
    otherPlayerFinishTime = 0.0f;
    needToSendFinishTime = false;
    if (!InRaceLevel()) {
        // Only the race level talks. A pairing made there lasts, so that the next race needs
        // none and the peer, still on its result, hears no disconnection.
        if (!connected) {
            allowCommunication = false;
        }
        return;
    }
    if (!allowCommunication) {
        // A race level started on its own (--level, the editor) plays without a peer: it looks
        // for none, so the line that would say where it looks says how a race is started.
        if (IsBound("PostSomeText")) {
            Call("PostSomeText", std::string(kPlayedAlone));
        }
        return;
    }
    ticksWithoutMessage = 0;
    raceStartPending = true;
    lookingMs = 0.0f;
    if (connected) {
        return;  // still paired from an earlier race: the race message step starts this one
    }
    // The clock and the player wait, under "Waiting for player to connect...", until the peer is found.
    RaceEntities::PauseClock();
}

void NetworkManager::SetNetworkingPlayerFinishTime(float time) {
    needToSendFinishTime = true;
    playerFinishTime = time;
}

void NetworkManager::SetRaceCourse(std::string name) {
    if (!discovery.SetCourse(std::move(name))) {
        return;
    }
    incoming.clear();
    if (connected) {
        Unpair();
    }
}

void NetworkManager::Unpair() {
    log.Write("Left " + FormatAddress(GetPeerAddress()) + " for another course\n");
    connectedPeers.clear();
    connected = false;
    discovering = true;
    raceStartPending = true;
    ticksWithoutMessage = 0;
    socket.OpenBroadcast();
    datagramSink = &NetworkManager::DiscoverySink;
    messageStep = &NetworkManager::DiscoveryStep;
}

void NetworkManager::Send(const std::string& text, const PeerAddress& to) {
    if (socket.Send(text, to, allowCommunication)) {
        ++sentMessages;
    }
}

std::uint32_t NetworkManager::GetPeerAddress() const {
    return connectedPeers.empty() ? 0 : connectedPeers.begin()->first;
}

void NetworkManager::ReceiveStep() {
    for (int i = 0; i < kMaxDatagramsPerTick; ++i) {
        Datagram datagram;
        if (!socket.Receive(datagram, allowCommunication)) {
            return;
        }
        (this->*datagramSink)(std::move(datagram));
    }
}

void NetworkManager::DiscoverySink(Datagram&& datagram) {
    // Our own broadcast comes back to us.
    if (!IsDiscovery(datagram.text) || datagram.from.address == socket.GetOwnAddress() ||
        !PeerDiscovery::CanBePeer(datagram.from.address, socket.GetBroadcastAddress())) {
        return;
    }
    log.Write("Messages Sent: " + NetworkLog::Printable(datagram.text) + "\n");
    log.Write("Address stuff: " + std::to_string(datagram.from.port) + ", " +
              std::to_string(datagram.from.address) + "\n");
    ++receivedMessages;
    incoming.push_back(std::move(datagram));
}

void NetworkManager::RaceSink(Datagram&& datagram) {
    // Only the paired machine may drive the remote player.
    if (connectedPeers.count(datagram.from.address) == 0 ||
        !(StartsWith(datagram.text, "CURR") || StartsWith(datagram.text, "FUDP"))) {
        return;
    }
    ++receivedMessages;
    incoming.push_back(std::move(datagram));
}

void NetworkManager::DiscoveryStep() {
    if (connected) {
        socket.OpenUnicast();
        messageStep = &NetworkManager::RaceStep;
        RaceStep();  // this tick's messages came through the race sink already
        return;
    }
    for (const Datagram& datagram : incoming) {
        if (discovery.Hear(datagram, socket.GetOwnAddress(), connected)) {
            CompletePairing(datagram.from);
        }
    }
    incoming.clear();
}

void NetworkManager::CompletePairing(const PeerAddress& from) {
    // Once more from the discovery port, so the peer pairs too even if it missed the others.
    const PeerRecord reply = discovery.GetPendingPeers().at(from.address);
    Send(reply.text, reply.address);
    connectedPeers[from.address] =
        PeerRecord{PairingReply(discovery.GetCourse()), PeerAddress{from.address, settings.racePort}};
    exchange.ForgetRemoteTick();
    socket.OpenUnicast();
    datagramSink = &NetworkManager::RaceSink;
    connected = true;
    log.Write("Paired with " + FormatAddress(from.address) +
              (discovery.IsHosting() ? " as the host\n" : "\n"));
}

void NetworkManager::SendStep() {
    if (!allowCommunication) {
        return;
    }
    if (connectedPeers.empty()) {
        Send(discovery.GetBroadcastText(), PeerAddress{socket.GetBroadcastAddress(), settings.discoveryPort});
        return;
    }
    discovering = false;
    for (const auto& entry : connectedPeers) {
        Send(entry.second.text, entry.second.address);
    }
}

bool NetworkManager::IsLookingForPeer() const {
    return allowCommunication && !connected && InRaceLevel();
}

void NetworkManager::ShowWhereWeLook(float dtMs) {
    if (!IsLookingForPeer() || !IsBound("PostSomeText")) {
        return;
    }
    lookingMs += dtMs;
    const std::string where = socket.GetInterfaceName();
    std::string text = "Waiting for player to connect... ";
    text += where.empty() ? "No network to look on."
                          : "Looking on " + where + " (" + FormatAddress(socket.GetOwnAddress()) + ").";
    if (lookingMs >= kNobodyFoundMs) {
        // The search goes on; the player is told it may be in vain and how to leave it.
        text += " Nobody found yet. Keep waiting, or press ESC to go back to the menu.";
    }
    Call("PostSomeText", text);
}

void NetworkManager::KeepRemoteApart() {
    for (ZELM::Component* component : GetComponents()) {
        auto* link = dynamic_cast<NetworkingComponent*>(component);
        unsigned* association = link != nullptr && link->IsRemote() ? link->GetAssociation() : nullptr;
        if (association != nullptr && *association == globalAssociation) {
            *association = OtherAssociation(globalAssociation);
        }
    }
}

void NetworkManager::AssignAssociations() {
    for (ZELM::Component* component : GetComponents()) {
        auto* link = dynamic_cast<NetworkingComponent*>(component);
        unsigned* association = link != nullptr ? link->GetAssociation() : nullptr;
        if (association == nullptr) {
            continue;
        }
        if (!link->IsRemote()) {
            *association = globalAssociation;
        } else if (*association == globalAssociation) {
            *association = OtherAssociation(globalAssociation);
        }
    }
}

void NetworkManager::RaceStep() {
    globalAssociation = discovery.IsHosting() ? 1 : 2;
    AssignAssociations();
    const bool raceLevel = InRaceLevel();
    if (raceStartPending && raceLevel) {
        // The clock first: resuming it clears the notice line, which would take "GO!" with it.
        if (IsBound("UnpauseTimer")) {
            Call("UnpauseTimer");
        }
        if (IsBound("PostSomeText")) {
            Call("PostSomeText", std::string("GO!"));
        }
        raceStartPending = false;
    }
    connectedPeers.begin()->second.text = exchange.BuildMessage(playerFinishTime);
    ++ticksWithoutMessage;
    for (const Datagram& datagram : incoming) {
        if (connectedPeers.count(datagram.from.address) == 0) {
            continue;
        }
        ApplyRaceMessage(ParseRaceMessage(datagram.text));
        ticksWithoutMessage = 0;  // an old datagram too says that the peer is there
    }
    incoming.clear();
    // Outside a race level (the menus after a race) a result or a disconnection has no screen to
    // go to; the count goes on all the same.
    if (raceLevel && IsBound("SetOtherPlayerTime")) {
        Call("SetOtherPlayerTime", otherPlayerFinishTime);
    }
    if (ticksWithoutMessage >= kDisconnectAfterTicks) {
        if (raceLevel && IsBound("ChangeLevelDueToNetworkDisconnect")) {
            Call("ChangeLevelDueToNetworkDisconnect");
        }
        ticksWithoutMessage = 0;
    }
}

void NetworkManager::ApplyRaceMessage(const RaceMessage& message) {
    if (exchange.Apply(message) && message.hasFinishTime) {
        otherPlayerFinishTime = message.finishTime;
    }
}

bool NetworkManager::GetRemotePosition(float& x, float& y) const {
    return RaceEntities::GetRemotePosition(x, y);
}

}  // namespace Networking
