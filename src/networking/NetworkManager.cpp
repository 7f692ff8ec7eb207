// Discovery, election and pairing by broadcast, then one race message a tick each way.
#include "networking/NetworkManager.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "networking/NetworkingComponent.h"
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

// The tick this machine's race messages carry, by which the peer puts them in order; 0 without an
// engine (the tests).
std::uint32_t CurrentTick() {
    return ZELM::Engine::Exists() ? static_cast<std::uint32_t>(ZELM::Engine::Instance().GetTickCount()) : 0;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Calls the visitor with every living entity of the engine's table (its handle and the entity), in
// its order.
template <typename F>
void ForEachEntity(F&& visit) {
    struct Visitor : ZELM::IVisitor<ZELM::EntityHandle> {
        explicit Visitor(F& visit) : visit(visit) {}
        void Visit(ZELM::EntityHandle& handle) override {
            ZELM::Entity* entity = handle.GetIfAlive();
            if (entity != nullptr && !entity->IsDying()) {
                visit(handle, *entity);
            }
        }
        F& visit;
    } visitor(visit);
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        entities->VisitEntities(visitor);
    }
}

}  // namespace

NetworkManager::NetworkManager(const std::string& interfaceName)
    : NetworkManager(std::make_unique<UdpTransport>(interfaceName), GameSettings()) {
    SetMessageBox([](const std::string& title, const std::string& text) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), text.c_str(), Windows::windowHandle);
    });
}

NetworkManager::NetworkManager(std::unique_ptr<DatagramTransport> transport, Settings settings)
    : transport(std::move(transport)),
      settings(std::move(settings)),
      log(this->settings.logPath, this->settings.logLimit) {
    broadcastRecord.text = HelloMessage(course);
}

NetworkManager::~NetworkManager() {
    transport->Close();
}

void NetworkManager::Bind() {
    BindProperty(&allowCommunication, "AllowCommunication", true, false);
    BindProperty(&globalAssociation, "Global Association", false, false);
    BindProperty(&receivedMessages, "ReceivedMessages", false, false);
    BindProperty(&sentMessages, "SentMessages", false, false);
    BindProperty(&hosting, "Hosting", false, false);
    BindProperty(&clientMessages, "ClientMessages", false, false);
    BindProperty(&waitBeforeHosting, "WaitOnThisManyMessagesUntilSendHosting", false, false);
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
    OpenBroadcast();
}

void NetworkManager::Update(float dt) {
    KeepRemoteApart();
    ReceiveStep();
    (this->*messageStep)();
    SendStep();
    if (discovering && allowCommunication) {
        for (const auto& entry : pendingPeers) {
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
    bool paused = false;
    ForEachEntity([&paused](ZELM::EntityHandle&, ZELM::Entity& entity) {
        if (!paused && entity.GetComponent("TimingComponent") != nullptr && entity.IsBound("PauseTimer")) {
            entity.Call("PauseTimer", true);
            paused = true;
        }
    });
}

void NetworkManager::SetNetworkingPlayerFinishTime(float time) {
    needToSendFinishTime = true;
    playerFinishTime = time;
}

void NetworkManager::SetRaceCourse(std::string name) {
    if (name == course) {
        return;
    }
    course = std::move(name);
    // What was heard and answered was for the other course: the election starts again.
    pendingPeers.clear();
    incoming.clear();
    StepDown();
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
    OpenBroadcast();
    datagramSink = &NetworkManager::DiscoverySink;
    messageStep = &NetworkManager::DiscoveryStep;
}

// ---- Sockets ---------------------------------------------------------------------------------

void NetworkManager::OpenBroadcast() {
    if (broadcastMode) {
        return;
    }
    std::vector<std::string> problems;
    transport->Open(settings.discoveryPort, true, problems);
    broadcastMode = true;
    unicastMode = false;
    Report(problems);
}

void NetworkManager::OpenUnicast() {
    if (unicastMode) {
        return;
    }
    std::vector<std::string> problems;
    transport->Open(settings.racePort, false, problems);
    unicastMode = true;
    broadcastMode = false;
    Report(problems);
}

void NetworkManager::Report(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        errors.Report(problem);
    }
}

void NetworkManager::Idle() {
    // Only while talking: a game that does not race (and every test run of a level) is not slowed.
    if (allowCommunication && settings.idleWait.count() > 0) {
        std::this_thread::sleep_for(settings.idleWait);
    }
}

void NetworkManager::Send(const std::string& text, const PeerAddress& to) {
    int error = 0;
    switch (transport->Send(to, text.data(), text.size(), error)) {
        case TransportStatus::Ok:
            ++sentMessages;
            break;
        case TransportStatus::WouldBlock:
            Idle();  // the datagram is dropped: next tick's carries the whole state again
            break;
        case TransportStatus::Failed:
            errors.Report(SocketProblemText("Problem with Client Sending with UDP.", error));
            break;
    }
}

bool NetworkManager::CanBePeer(std::uint32_t address) const {
    // A forged sender such as the broadcast address would have the replies go to everyone.
    return address != 0 && address != 0xFFFFFFFFu && address != transport->GetBroadcastAddress() &&
           address < 0xE0000000u;
}

std::uint32_t NetworkManager::GetPeerAddress() const {
    return connectedPeers.empty() ? 0 : connectedPeers.begin()->first;
}

// ---- Receiving -------------------------------------------------------------------------------

void NetworkManager::ReceiveStep() {
    char buffer[kMaxDatagramSize];
    for (int i = 0; i < kMaxDatagramsPerTick; ++i) {
        std::size_t size = 0;
        PeerAddress from;
        int error = 0;
        switch (transport->Receive(buffer, sizeof buffer, size, from, error)) {
            case TransportStatus::Ok: {
                // The line feed keeps a text parse from running off the end, as it always has.
                std::string text(buffer, size);
                text += '\n';
                (this->*datagramSink)(Datagram{std::move(text), from});
                break;
            }
            case TransportStatus::WouldBlock:
                Idle();
                return;
            case TransportStatus::Failed:
                errors.Report(SocketProblemText("Problem Listening With UDP.", error));
                return;
        }
    }
}

void NetworkManager::DiscoverySink(Datagram&& datagram) {
    // Our own broadcast comes back to us.
    if (!IsDiscovery(datagram.text) || datagram.from.address == transport->GetOwnAddress() ||
        !CanBePeer(datagram.from.address)) {
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

// ---- Discovery -------------------------------------------------------------------------------

void NetworkManager::DiscoveryStep() {
    if (connected) {
        OpenUnicast();
        messageStep = &NetworkManager::RaceStep;
        RaceStep();  // this tick's messages came through the race sink already
        return;
    }
    for (const Datagram& datagram : incoming) {
        // A machine on another course, or an older game that names none, is left alone.
        const std::string_view named = ReadDiscoveryCourse(datagram.text);
        if (named.empty() || named != course) {
            continue;
        }
        switch (ReadDiscoveryType(datagram.text)) {
            case DiscoveryType::HostAnnouncement:
                if (!hosting) {
                    clientMessages = 0;
                    AnswerPeer(datagram.from);
                } else if (transport->GetOwnAddress() > datagram.from.address) {
                    // Both became host in the same tick: the higher address gives way, or
                    // neither would ever answer the other.
                    StepDown();
                    AnswerPeer(datagram.from);
                }
                break;
            case DiscoveryType::Hello:
                if (hosting) {
                    AnswerPeer(datagram.from);
                } else if (++clientMessages >= waitBeforeHosting) {
                    BecomeHost();
                }
                break;
            case DiscoveryType::PairingReply:
                if (!connected && pendingPeers.count(datagram.from.address) != 0) {
                    CompletePairing(datagram.from);
                }
                break;
            case DiscoveryType::Finish:
                std::fputs("FINI\n", stdout);
                break;
            default:
                break;
        }
    }
    incoming.clear();
}

void NetworkManager::AnswerPeer(const PeerAddress& from) {
    if (pendingPeers.count(from.address) == 0 && pendingPeers.size() >= kMaxPendingPeers) {
        return;
    }
    pendingPeers[from.address] = PeerRecord{PairingReply(course), from};
}

void NetworkManager::BecomeHost() {
    clientMessages = 0;
    hosting = true;
    // Only matters should this manager ever have to elect again.
    waitBeforeHosting = static_cast<unsigned>(std::rand()) % 40;
    broadcastRecord.text = HostAnnouncement(course);
}

void NetworkManager::StepDown() {
    hosting = false;
    clientMessages = 0;
    broadcastRecord.text = HelloMessage(course);
}

void NetworkManager::CompletePairing(const PeerAddress& from) {
    // Once more from the discovery port, so the peer pairs too even if it missed the others.
    const PeerRecord reply = pendingPeers[from.address];
    Send(reply.text, reply.address);
    connectedPeers[from.address] = PeerRecord{PairingReply(course), PeerAddress{from.address, settings.racePort}};
    // A peer paired anew may have started its game again, and its ticks with it.
    remoteTick = 0;
    OpenUnicast();
    datagramSink = &NetworkManager::RaceSink;
    connected = true;
    log.Write("Paired with " + FormatAddress(from.address) + (hosting ? " as the host\n" : "\n"));
}

void NetworkManager::SendStep() {
    if (!allowCommunication) {
        return;
    }
    if (connectedPeers.empty()) {
        Send(broadcastRecord.text, PeerAddress{transport->GetBroadcastAddress(), settings.discoveryPort});
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
    const std::string where = transport->GetInterfaceName();
    std::string text = "Waiting for player to connect... ";
    text += where.empty() ? "No network to look on."
                          : "Looking on " + where + " (" + FormatAddress(transport->GetOwnAddress()) + ").";
    if (lookingMs >= kNobodyFoundMs) {
        // The search goes on; the player is told it may be in vain and how to leave it.
        text += " Nobody found yet. Keep waiting, or press ESC to go back to the menu.";
    }
    Call("PostSomeText", text);
}

// ---- The race --------------------------------------------------------------------------------

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
    globalAssociation = hosting ? 1 : 2;
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
    connectedPeers.begin()->second.text = BuildRaceMessage();
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
    if (ticksWithoutMessage >= disconnectAfterTicks) {
        if (raceLevel && IsBound("ChangeLevelDueToNetworkDisconnect")) {
            Call("ChangeLevelDueToNetworkDisconnect");
        }
        ticksWithoutMessage = 0;
    }
}

std::string NetworkManager::BuildRaceMessage() {
    static const KeyState kReleased{};
    const char* keys = IsBound("getKeystates") ? Call<char*>("getKeystates") : nullptr;
    const char* pastKeys = IsBound("getPastKeystates") ? Call<char*>("getPastKeystates") : nullptr;
    PlayerState state;
    const ZELM::EntityHandle local = FindLocalPlayer();
    if (ZELM::Entity* alive = local.GetIfAlive()) {
        ZELM::Entity& player = *alive;
        auto value = [&player](const char* method) {
            return player.IsBound(method) ? player.Call<float>(method) : 0.0f;
        };
        state = PlayerState{value("GetX"),
                            value("GetY"),
                            value("GetXAcceleration"),
                            value("GetYAcceleration"),
                            value("GetXVelocity"),
                            value("GetYVelocity"),
                            value("GetXGravity"),
                            value("GetYGravity")};
    }
    return FormatRaceMessage(
        CurrentTick(), local.IsAlive() ? &state : nullptr, keys != nullptr ? keys : kReleased.data(),
        pastKeys != nullptr ? pastKeys : kReleased.data(), angle, boxes, playerFinishTime);
}

void NetworkManager::ApplyRaceMessage(const RaceMessage& message) {
    if (message.hasState) {
        // UDP may hand over an older datagram after a newer one: its place would pull the remote
        // player back, and its keys would press again what the peer has let go.
        if (message.tick < remoteTick) {
            return;
        }
        remoteTick = message.tick;
    }
    ApplyKeys(message);
    if (message.hasState) {
        ApplyRemoteState(message.state);
    }
    if (message.hasFinishTime) {
        otherPlayerFinishTime = message.finishTime;
    }
}

void NetworkManager::ApplyKeys(const RaceMessage& message) {
    char* keys = IsBound("getNetworkKeystates") ? Call<char*>("getNetworkKeystates") : nullptr;
    char* pastKeys = IsBound("getNetworkPastKeystates") ? Call<char*>("getNetworkPastKeystates") : nullptr;
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

void NetworkManager::ApplyRemoteState(const PlayerState& state) {
    const ZELM::EntityHandle remote = FindRemotePlayer();
    ZELM::Entity* alive = remote.GetIfAlive();
    if (alive == nullptr) {
        return;
    }
    ZELM::Entity& player = *alive;
    auto set = [&player](const char* method, float value) {
        if (player.IsBound(method)) {
            player.Call(method, value);
        }
    };
    set("SetXAcceleration", state.xAcceleration);
    set("SetYAcceleration", state.yAcceleration);
    set("SetXVelocity", state.xVelocity);
    set("SetYVelocity", state.yVelocity);
    // Broadcast: the spatial component and the body both keep the place.
    player.CallAll("SetX", state.x);
    player.CallAll("SetY", state.y);
    set("SetXGravity", state.xGravity);
    set("SetYGravity", state.yGravity);
}

ZELM::EntityHandle NetworkManager::FindLocalPlayer() {
    ZELM::EntityHandle linked;
    ZELM::EntityHandle any;
    ForEachEntity([&](ZELM::EntityHandle& handle, ZELM::Entity& entity) {
        if (entity.GetComponent("PhysicsComponent") == nullptr || entity.GetComponent("NetworkInput") != nullptr) {
            return;
        }
        // A box or a power-up is a physics body too; the race's player carries the link.
        if (!linked.IsAlive() && entity.GetComponent("NetworkingComponent") != nullptr) {
            linked = handle;
        }
        if (!any.IsAlive()) {
            any = handle;
        }
    });
    return linked.IsAlive() ? linked : any;
}

ZELM::EntityHandle NetworkManager::FindRemotePlayer() {
    ZELM::EntityHandle found;
    ForEachEntity([&found](ZELM::EntityHandle& handle, ZELM::Entity& entity) {
        if (!found.IsAlive() && entity.GetComponent("PhysicsComponent") != nullptr &&
            entity.GetComponent("NetworkInput") != nullptr) {
            found = handle;
        }
    });
    return found;
}

bool NetworkManager::GetRemotePosition(float& x, float& y) const {
    const ZELM::EntityHandle handle = FindRemotePlayer();
    ZELM::Entity* remote = handle.GetIfAlive();
    return remote != nullptr && remote->GetPlace(x, y);
}

}  // namespace Networking
