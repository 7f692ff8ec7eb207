// The race protocol byte for byte, and its parse against truncated, oversized and random datagrams.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "networking/RaceProtocol.h"

namespace {

using namespace Networking;

constexpr int kRight = 205;

KeyState Keys(std::initializer_list<int> held) {
    KeyState keys{};
    for (const int code : held) {
        keys[static_cast<std::size_t>(code)] = static_cast<char>(0x80);
    }
    return keys;
}

std::string Bytes(const EncodedKeys& encoded) {
    return std::string(encoded.begin(), encoded.end());
}

const PlayerState kState{12.5f, -3.0f, 0.25f, 0.0f, 4.0f, -10.75f, 1.0f, 0.0f};
constexpr std::uint32_t kTick = 4077;

TEST(RaceProtocol, KeyStatesPackSevenKeysToAByteWithTheTopBitSet) {
    KeyState all;
    all.fill(1);  // any non-zero byte counts as held
    const struct {
        const char* name;
        KeyState keys;
        std::string expected;
    } cases[] = {
        {"all down", all, std::string(36, '\xFF') + '\xF8'},
        {"all up", Keys({}), std::string(37, '\x80')},
        {"key 0", Keys({0}), '\xC0' + std::string(36, '\x80')},
        {"key 6", Keys({6}), '\x81' + std::string(36, '\x80')},
        {"key 7", Keys({7}), "\x80\xC0" + std::string(35, '\x80')},
        {"RIGHT", Keys({kRight}), std::string(29, '\x80') + '\x90' + std::string(7, '\x80')},
        {"key 255", Keys({255}), std::string(36, '\x80') + '\x88'},
    };
    for (const auto& c : cases) {
        const EncodedKeys encoded = EncodeKeys(c.keys.data());
        EXPECT_EQ(Bytes(encoded), c.expected) << c.name;
        KeyState decoded{};
        DecodeKeys(encoded, decoded.data());
        for (std::size_t i = 0; i < kKeyCount; ++i) {
            EXPECT_EQ(decoded[i], c.keys[i] != 0 ? static_cast<char>(0x80) : 0) << c.name << " key " << i;
        }
    }
}

TEST(RaceProtocol, DiscoveryMessagesAreExactAndReadByTheirTypeAndCourse) {
    EXPECT_EQ(HelloMessage("multiplayer"), std::string("0ZOL0ACK multiplayer\n"));
    EXPECT_EQ(HostAnnouncement("multiplayer2"), std::string("0ZOLHACK multiplayer2\n"));
    EXPECT_EQ(PairingReply("multiplayer"), std::string("0ZOLRACK multiplayer\n"));
    const struct {
        std::string datagram;
        DiscoveryType type;
        std::string course;  // empty: none that counts
    } cases[] = {
        {"0ZOL0ACK multiplayer\n\n", DiscoveryType::Hello, "multiplayer"},
        {"0ZOLHACK Race_2\n", DiscoveryType::HostAnnouncement, "Race_2"},
        {"0ZOLRACK multiplayer2\n\n\n", DiscoveryType::PairingReply, "multiplayer2"},
        {"0ZOL0ACK\n\n", DiscoveryType::Hello, ""},  // an older game's
        {"0ZOLHACK multiplayer", DiscoveryType::HostAnnouncement, ""},
        {"0ZOLHACK \n", DiscoveryType::HostAnnouncement, ""},
        {"0ZOLHACK ../Level1\n", DiscoveryType::HostAnnouncement, ""},
        {"0ZOLHACK multi player\n", DiscoveryType::HostAnnouncement, ""},
        {"0ZOLHACK " + std::string(33, 'a') + "\n", DiscoveryType::HostAnnouncement, ""},
        {"0ZOLHACK " + std::string(32, 'a') + "\n", DiscoveryType::HostAnnouncement, std::string(32, 'a')},
        {"0ZOLFINI and a tail", DiscoveryType::Finish, ""},
        {"0ZOLWHAT", DiscoveryType::Unknown, ""},
        {"0ZOL", DiscoveryType::Unknown, ""},
        {"0ZO", DiscoveryType::NotDiscovery, ""},
        {"", DiscoveryType::NotDiscovery, ""},
        {"CURR0ZOL0ACK multiplayer\n", DiscoveryType::NotDiscovery, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadDiscoveryType(c.datagram), c.type) << c.datagram;
        EXPECT_EQ(ReadDiscoveryCourse(c.datagram), c.course) << c.datagram;
    }
}

TEST(RaceProtocol, ARaceMessageIsWrittenByteForByte) {
    const KeyState keys = Keys({kRight});
    const KeyState past = Keys({});
    const std::string keyBytes = Bytes(EncodeKeys(keys.data()));
    const std::string pastBytes = Bytes(EncodeKeys(past.data()));
    const std::string state =
        "FUDPTICK4077POS012.500000POS1-3.000000ACC00.250000ACC10.000000VEL04.000000VEL1-10.750000GRAX1.000000"
        "GRAY0.000000\n";
    EXPECT_EQ(FormatRaceMessage(kTick, &kState, keys.data(), past.data(), 0.0f, {}, 0.0f),
              state + "CURR" + keyBytes + "#PAST" + pastBytes + "#ANGL0.000000#BOXS0####0.000000###\n");
    // Without a local player only the key part goes out; the angle field keeps its 9 characters.
    const struct {
        float angle;
        std::vector<float> boxes;
        float finishTime;
        std::string tail;
    } cases[] = {
        {1.5f, {}, 23.25f, "#ANGL1.500000#BOXS0####23.250000###\n"},
        {7.0f, {}, 0.0f, "#ANGL0.000000#BOXS0####0.000000###\n"},
        {-1.0f, {}, 0.0f, "#ANGL0.000000#BOXS0####0.000000###\n"},
        {0.0f, {1.0f, -2.5f}, 9.0f, "#ANGL0.000000#BOXS2#1.000000#-2.500000####9.000000###\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRaceMessage(kTick, nullptr, keys.data(), past.data(), c.angle, c.boxes, c.finishTime),
                  "CURR" + keyBytes + "#PAST" + pastBytes + c.tail)
            << c.angle;
    }
}

TEST(RaceProtocol, TheSendersTickAndStateComeBackAsTheyWent) {
    const KeyState keys = Keys({kRight});
    for (const std::uint32_t tick : {0u, 1u, 4077u, 4294967295u}) {
        const RaceMessage message =
            ParseRaceMessage(FormatRaceMessage(tick, &kState, keys.data(), keys.data(), 0.0f, {}, 0.0f));
        ASSERT_TRUE(message.hasState) << tick;
        EXPECT_EQ(message.tick, tick);
        EXPECT_EQ(message.state.x, kState.x) << tick;
        EXPECT_EQ(message.state.yGravity, kState.yGravity) << tick;
    }
}

TEST(RaceProtocol, HostileDatagramsAreRefusedPartByPart) {
    const KeyState keys = Keys({kRight});
    const std::string k = Bytes(EncodeKeys(keys.data()));
    const std::string keyPart = "CURR" + k + "#PAST" + k + "#ANGL0.000000#";
    const struct {
        const char* name;
        std::string datagram;
        bool state;
        bool keys;
        std::size_t boxes;
        bool finishTime;
    } cases[] = {
        {"no CURR", "FUDPTICK7POS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", true, false, 0, false},
        {"nan", "FUDPTICK7POS0nanPOS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0, false},
        {"exponent", "FUDPTICK7POS01e30POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0, false},
        {"too large", "FUDPTICK7POS02000000.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0,
         false},
        {"missing a field", "FUDPTICK7POS01.0POS12.0ACC00VEL00VEL10GRAX0GRAY0\n", false, false, 0, false},
        {"no tick", "FUDPPOS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0, false},
        {"empty tick", "FUDPTICKPOS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0, false},
        {"negative tick", "FUDPTICK-7POS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0, false},
        {"tick past 32 bits", "FUDPTICK4294967296POS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false,
         false, 0, false},
        {"eleven tick digits", "FUDPTICK00000000007POS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false,
         false, 0, false},
        {"fraction of a tick", "FUDPTICK7.5POS01.0POS12.0ACC00ACC10VEL00VEL10GRAX0GRAY0\n", false, false, 0,
         false},
        {"short key field", "CURR" + k.substr(1) + "#PAST" + k + "#ANGL0.000000#BOXS0####1.0###", false,
         false, 0, false},
        {"long key field", "CURR" + k + '\x80' + "#PAST" + k + "#ANGL0.000000#", false, false, 0, false},
        {"low byte in keys", "CURR" + k.substr(1) + "A#PAST" + k + "#ANGL0.000000#", false, false, 0, false},
        {"no #PAST", "CURR" + k + "#" + k + "#ANGL0.000000#", false, false, 0, false},
        {"empty boxes", keyPart + "BOXS0####0.000000###\n", false, true, 0, true},
        {"huge count", keyPart + "BOXS99999#1.0####5.0###\n", false, true, 0, false},
        {"six digits", keyPart + "BOXS100000#1.0####5.0###\n", false, true, 0, false},
        {"no count", keyPart + "BOXS####5.0###\n", false, true, 0, false},
        {"count past the values", keyPart + "BOXS3#1.0#2.0####5.0###\n", false, true, 0, false},
        {"garbage finish time", keyPart + "BOXS1#1.0####inf###\n", false, true, 1, false},
        {"no BOXS", keyPart + "\n", false, true, 0, false},
    };
    for (const auto& c : cases) {
        const RaceMessage message = ParseRaceMessage(c.datagram);
        EXPECT_EQ(message.hasState, c.state) << c.name;
        EXPECT_EQ(message.hasKeys, c.keys) << c.name;
        EXPECT_EQ(message.boxes.size(), c.boxes) << c.name;
        EXPECT_EQ(message.hasFinishTime, c.finishTime) << c.name;
    }
}

TEST(RaceProtocol, ATruncatedMessageKeepsOnlyWhatArrivedWhole) {
    const KeyState keys = Keys({kRight});
    const std::string whole = FormatRaceMessage(kTick, &kState, keys.data(), keys.data(), 0.0f, {}, 5.0f);
    const std::size_t keysEnd = whole.find("#ANGL") + 5;
    // The state needs its tick whole and at least a digit of its last value.
    const std::size_t stateEnd = whole.find("GRAY") + 5;
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        // An exact-size copy, so a read past the end is a sanitizer report.
        const std::vector<char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const RaceMessage message = ParseRaceMessage(std::string_view(cut.data(), cut.size()));
        EXPECT_EQ(message.hasKeys, size >= keysEnd) << size;
        EXPECT_EQ(message.hasState, size >= stateEnd) << size;
        if (message.hasState) {
            // Cut inside the last number, the state still reads as a shorter number: never as garbage.
            EXPECT_EQ(message.tick, kTick) << size;
            EXPECT_EQ(message.state.x, kState.x) << size;
            EXPECT_EQ(message.state.yVelocity, kState.yVelocity) << size;
        }
    }
}

TEST(RaceProtocol, RandomBytesNeverYieldUnboundedValues) {
    std::mt19937 random(20240611);
    const std::string fragments[] = {"FUDPTICK", "POS0", "POS1", "CURR", "#PAST", "#ANGL",
                                     "BOXS",     "###",  "#",    "9",    "-",     "."};
    for (int round = 0; round < 3000; ++round) {
        std::string datagram;
        const std::size_t size = random() % kMaxDatagramSize;
        while (datagram.size() < size) {
            if (random() % 4 == 0) {
                datagram += fragments[random() % std::size(fragments)];
            } else {
                datagram += static_cast<char>(random() % 256);
            }
        }
        const std::vector<char> exact(datagram.begin(), datagram.end());
        const RaceMessage message = ParseRaceMessage(std::string_view(exact.data(), exact.size()));
        const float values[] = {message.state.x, message.state.y, message.state.xVelocity, message.angle,
                                message.finishTime};
        for (const float value : values) {
            EXPECT_TRUE(std::isfinite(value) && std::fabs(value) <= kMaxReceivedMagnitude);
        }
        EXPECT_LE(message.boxes.size(), datagram.size() / 2);
    }
}

}  // namespace
