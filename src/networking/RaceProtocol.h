// The race protocol's messages, byte for byte: discovery texts, the race message and its parse.
// Pure code: no sockets, no engine.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Networking {

// A keyboard state as the input service keeps it: indexed by scan code, bit 7 set = held.
constexpr std::size_t kKeyCount = 256;
// 256 keys packed 7 to a byte, so every byte keeps bit 7 set and none is 0 or "#".
constexpr std::size_t kEncodedKeySize = 37;
// What the receive step reads of one datagram; longer ones are cut.
constexpr std::size_t kMaxDatagramSize = 1024;

using KeyState = std::array<char, kKeyCount>;
using EncodedKeys = std::array<unsigned char, kEncodedKeySize>;

enum class DiscoveryType { NotDiscovery, Hello, HostAnnouncement, PairingReply, Finish, Unknown };

// Every discovery datagram names the race course it is for after its type, as in
// "0ZOL0ACK multiplayer\n": machines pair only on the same course.
// "0ZOL0ACK": a machine that is not hosting and knows no peer, broadcast every tick.
std::string HelloMessage(std::string_view course);
// "0ZOLHACK": a host that knows no peer, broadcast every tick.
std::string HostAnnouncement(std::string_view course);
// "0ZOLRACK": sent to each peer that asked to pair.
std::string PairingReply(std::string_view course);

// Whether the datagram starts with the discovery tag "0ZOL".
bool IsDiscovery(std::string_view datagram);
DiscoveryType ReadDiscoveryType(std::string_view datagram);
// The course a discovery datagram names; empty when it names none (an older game's) or the name
// is not one a level could have (1 to 32 letters, digits and underscores).
std::string_view ReadDiscoveryCourse(std::string_view datagram);

EncodedKeys EncodeKeys(const char* keys);
// Writes 256 key bytes: 0x80 for a set bit, 0 otherwise.
void DecodeKeys(const EncodedKeys& encoded, char* keys);

// A player's motion as the race message carries it, in the order of its fields.
struct PlayerState {
    float x = 0.0f;
    float y = 0.0f;
    float xAcceleration = 0.0f;
    float yAcceleration = 0.0f;
    float xVelocity = 0.0f;
    float yVelocity = 0.0f;
    float xGravity = 0.0f;
    float yGravity = 0.0f;
};

// "FUDPTICK" tick "POS0" x "POS1" y ... "GRAY" gy "\n": the sender's tick in decimal, so that the
// receiver can tell an old state from a new one, then each value with "%f".
std::string FormatStatePart(std::uint32_t tick, const PlayerState& state);
// "CURR", the current keys, "#PAST", the previous keys, "#ANGL", the angle and "#", "BOXS", the
// count, "#" and each value with "#", then "###", the finish time and "###".
std::string FormatKeyPart(const char* keys, const char* pastKeys, float angle,
                          const std::vector<float>& boxes, float finishTime);
// One tick's race message: the state part (without a local player, none), the key part and "\n".
std::string FormatRaceMessage(std::uint32_t tick, const PlayerState* state, const char* keys,
                              const char* pastKeys, float angle, const std::vector<float>& boxes,
                              float finishTime);

// What one received race message carried. Each part is present only when it parsed whole.
struct RaceMessage {
    bool hasState = false;
    std::uint32_t tick = 0;  // the sender's, read with the state
    PlayerState state;
    bool hasKeys = false;  // without keys the remote keys are released
    KeyState keys{};
    KeyState pastKeys{};
    bool hasAngle = false;
    float angle = 0.0f;
    std::vector<float> boxes;
    bool hasFinishTime = false;
    float finishTime = 0.0f;
};

// Reads a race datagram. Every field is bounded by the datagram: a number must be plain decimal,
// finite and of a size a level can hold; a tick must be 1 to 10 digits that fit 32 bits; a key
// field must be exactly 37 encoded bytes; a "BOXS" count larger than the rest of the datagram can
// hold is refused.
RaceMessage ParseRaceMessage(std::string_view datagram);

// The largest magnitude a received number may have; beyond it the datagram is garbage.
constexpr float kMaxReceivedMagnitude = 1.0e6f;

}  // namespace Networking
