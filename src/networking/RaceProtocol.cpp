// Formatting and parsing the race protocol's messages.
#include "networking/RaceProtocol.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Networking {
namespace {

constexpr std::string_view kTag = "0ZOL";
// The angle goes out with one integer digit, so its field is always 8 characters and a "#".
constexpr float kMaxAngle = 6.28318f;
// "%f" of 1e6 is 14 characters; anything much longer is not a number this game sends.
constexpr std::size_t kMaxNumberLength = 24;
// A count of more digits is not one the receiver skips correctly, and could never fit anyway.
constexpr std::size_t kMaxCountDigits = 5;
// 4294967295, the largest tick, has 10 digits.
constexpr std::size_t kMaxTickDigits = 10;
// A level's name as a course; longer is not one of ours.
constexpr std::size_t kMaxCourseLength = 32;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether `word` stands at pos; if so, pos moves past it. pos never passes the end.
bool Expect(std::string_view text, std::size_t& pos, std::string_view word) {
    if (pos > text.size() || text.size() - pos < word.size() || text.substr(pos, word.size()) != word) {
        return false;
    }
    pos += word.size();
    return true;
}

// 1 to maxDigits decimal digits; pos moves past them. One digit more than allowed is read, so that
// a longer run is refused rather than read in part.
bool ReadUnsigned(std::string_view text, std::size_t& pos, std::size_t maxDigits, std::uint64_t& value) {
    std::uint64_t read = 0;
    std::size_t digits = 0;
    while (pos + digits < text.size() && IsDigit(text[pos + digits]) && digits <= maxDigits) {
        read = read * 10 + static_cast<std::uint64_t>(text[pos + digits] - '0');
        ++digits;
    }
    if (digits == 0 || digits > maxDigits) {
        return false;
    }
    value = read;
    pos += digits;
    return true;
}

bool ReadTick(std::string_view text, std::size_t& pos, std::uint32_t& tick) {
    std::uint64_t value = 0;
    std::size_t end = pos;
    if (!ReadUnsigned(text, end, kMaxTickDigits, value) || value > UINT32_MAX) {
        return false;
    }
    tick = static_cast<std::uint32_t>(value);
    pos = end;
    return true;
}

// A plain decimal number as "%f" writes it ("-12.500000"); no exponent, no "nan" or "inf".
bool ReadNumber(std::string_view text, std::size_t& pos, float& value) {
    std::size_t end = pos;
    if (end < text.size() && text[end] == '-') {
        ++end;
    }
    std::size_t digits = 0;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
        ++digits;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0 || end - pos > kMaxNumberLength) {
        return false;
    }
    char number[kMaxNumberLength + 1];
    std::memcpy(number, text.data() + pos, end - pos);
    number[end - pos] = '\0';
    const double parsed = std::strtod(number, nullptr);
    if (!std::isfinite(parsed) || std::fabs(parsed) > kMaxReceivedMagnitude) {
        return false;
    }
    value = static_cast<float>(parsed);
    pos = end;
    return true;
}

// Exactly 37 encoded bytes (each 0x80 or above) followed by "#", which is left in place.
bool ReadEncoded(std::string_view text, std::size_t& pos, EncodedKeys& encoded) {
    if (pos > text.size() || text.size() - pos < kEncodedKeySize + 1 || text[pos + kEncodedKeySize] != '#') {
        return false;
    }
    for (std::size_t i = 0; i < kEncodedKeySize; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (byte < 0x80) {
            return false;
        }
        encoded[i] = byte;
    }
    pos += kEncodedKeySize;
    return true;
}

void AppendNumber(std::string& text, const char* format, float value) {
    char number[64];  // "%f" of the largest float is 46 characters
    std::snprintf(number, sizeof number, format, static_cast<double>(value));
    text += number;
}

void ParseStatePart(std::string_view text, RaceMessage& message) {
    static constexpr std::string_view kLabels[] = {"POS0", "POS1", "ACC0", "ACC1",
                                                   "VEL0", "VEL1", "GRAX", "GRAY"};
    std::uint32_t tick = 0;
    float values[8];
    std::size_t pos = 0;
    if (!Expect(text, pos, "FUDPTICK") || !ReadTick(text, pos, tick)) {
        return;  // without its tick a state cannot be told from an older one
    }
    for (std::size_t i = 0; i < 8; ++i) {
        if (!Expect(text, pos, kLabels[i]) || !ReadNumber(text, pos, values[i])) {
            return;  // a state that does not parse whole is not applied
        }
    }
    message.tick = tick;
    message.state =
        PlayerState{values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7]};
    message.hasState = true;
}

// The key part starts at "CURR" and runs to the end of the datagram.
void ParseKeyPart(std::string_view text, RaceMessage& message) {
    std::size_t pos = 4;
    EncodedKeys current;
    EncodedKeys past;
    if (!ReadEncoded(text, pos, current) || !Expect(text, pos, "#PAST") || !ReadEncoded(text, pos, past) ||
        !Expect(text, pos, "#ANGL")) {
        return;
    }
    DecodeKeys(current, message.keys.data());
    DecodeKeys(past, message.pastKeys.data());
    message.hasKeys = true;

    std::string_view angleField = text.substr(pos, 9);
    std::size_t anglePos = 0;
    message.hasAngle = ReadNumber(angleField, anglePos, message.angle);

    const std::size_t boxes = text.find("BOXS", pos);
    if (boxes == std::string_view::npos) {
        return;
    }
    pos = boxes + 4;
    std::uint64_t count = 0;
    if (!ReadUnsigned(text, pos, kMaxCountDigits, count) || !Expect(text, pos, "#")) {
        return;
    }
    // Each value takes at least a digit and its "#".
    if (count > (text.size() - pos) / 2) {
        return;
    }
    std::vector<float> values;
    values.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        float value = 0.0f;
        if (!ReadNumber(text, pos, value) || !Expect(text, pos, "#")) {
            return;
        }
        values.push_back(value);
    }
    message.boxes = std::move(values);
    if (Expect(text, pos, "###")) {
        message.hasFinishTime = ReadNumber(text, pos, message.finishTime);
    }
}

std::string DiscoveryMessage(std::string_view type, std::string_view course) {
    std::string text(kTag);
    text += type;
    text += ' ';
    text += course;
    text += '\n';
    return text;
}

bool IsCourseCharacter(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

}  // namespace

std::string HelloMessage(std::string_view course) {
    return DiscoveryMessage("0ACK", course);
}

std::string HostAnnouncement(std::string_view course) {
    return DiscoveryMessage("HACK", course);
}

std::string PairingReply(std::string_view course) {
    return DiscoveryMessage("RACK", course);
}

bool IsDiscovery(std::string_view datagram) {
    return datagram.substr(0, kTag.size()) == kTag;
}

DiscoveryType ReadDiscoveryType(std::string_view datagram) {
    if (!IsDiscovery(datagram)) {
        return DiscoveryType::NotDiscovery;
    }
    const std::string_view type = datagram.substr(kTag.size(), 4);
    static constexpr struct {
        std::string_view word;
        DiscoveryType type;
    } kTypes[] = {{"0ACK", DiscoveryType::Hello},
                  {"HACK", DiscoveryType::HostAnnouncement},
                  {"RACK", DiscoveryType::PairingReply},
                  {"FINI", DiscoveryType::Finish}};
    for (const auto& known : kTypes) {
        if (type == known.word) {
            return known.type;
        }
    }
    return DiscoveryType::Unknown;
}

std::string_view ReadDiscoveryCourse(std::string_view datagram) {
    const std::size_t start = kTag.size() + 4;
    if (!IsDiscovery(datagram) || datagram.size() <= start || datagram[start] != ' ') {
        return {};
    }
    const std::size_t end = datagram.find('\n', start + 1);
    if (end == std::string_view::npos) {
        return {};
    }
    const std::string_view course = datagram.substr(start + 1, end - start - 1);
    if (course.empty() || course.size() > kMaxCourseLength ||
        std::find_if_not(course.begin(), course.end(), IsCourseCharacter) != course.end()) {
        return {};
    }
    return course;
}

EncodedKeys EncodeKeys(const char* keys) {
    EncodedKeys encoded;
    encoded.fill(0x80);
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        if (keys[i] != 0) {
            encoded[i / 7] |= static_cast<unsigned char>(1u << (6 - i % 7));
        }
    }
    return encoded;
}

void DecodeKeys(const EncodedKeys& encoded, char* keys) {
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const bool held = (encoded[i / 7] & (1u << (6 - i % 7))) != 0;
        keys[i] = held ? static_cast<char>(0x80) : 0;
    }
}

std::string FormatStatePart(std::uint32_t tick, const PlayerState& state) {
    std::string text = "FUDPTICK" + std::to_string(tick) + "POS0";
    AppendNumber(text, "%f", state.x);
    text += "POS1";
    AppendNumber(text, "%f", state.y);
    text += "ACC0";
    AppendNumber(text, "%f", state.xAcceleration);
    text += "ACC1";
    AppendNumber(text, "%f", state.yAcceleration);
    text += "VEL0";
    AppendNumber(text, "%f", state.xVelocity);
    text += "VEL1";
    AppendNumber(text, "%f", state.yVelocity);
    text += "GRAX";
    AppendNumber(text, "%f", state.xGravity);
    text += "GRAY";
    AppendNumber(text, "%f", state.yGravity);
    text += '\n';
    return text;
}

std::string FormatKeyPart(const char* keys, const char* pastKeys, float angle,
                          const std::vector<float>& boxes, float finishTime) {
    const EncodedKeys current = EncodeKeys(keys);
    const EncodedKeys past = EncodeKeys(pastKeys);
    std::string text = "CURR";
    text.append(reinterpret_cast<const char*>(current.data()), current.size());
    text += "#PAST";
    text.append(reinterpret_cast<const char*>(past.data()), past.size());
    text += "#ANGL";
    // The receiver reads a fixed 9-character field: a negative or wrapped angle would not fit.
    AppendNumber(text, "%f#", angle >= 0.0f && angle <= kMaxAngle ? angle : 0.0f);
    text += "BOXS" + std::to_string(boxes.size()) + "#";
    for (const float value : boxes) {
        AppendNumber(text, "%f#", std::isfinite(value) ? value : 0.0f);
    }
    AppendNumber(text, "###%f###", std::isfinite(finishTime) ? finishTime : 0.0f);
    return text;
}

std::string FormatRaceMessage(std::uint32_t tick, const PlayerState* state, const char* keys,
                              const char* pastKeys, float angle, const std::vector<float>& boxes,
                              float finishTime) {
    std::string text = state != nullptr ? FormatStatePart(tick, *state) : std::string();
    text += FormatKeyPart(keys, pastKeys, angle, boxes, finishTime);
    text += '\n';
    return text;
}

RaceMessage ParseRaceMessage(std::string_view datagram) {
    RaceMessage message;
    if (!datagram.empty() && datagram[0] == 'F') {
        ParseStatePart(datagram, message);
    }
    const std::size_t keys = datagram.find("CURR");
    if (keys != std::string_view::npos) {
        ParseKeyPart(datagram.substr(keys), message);
    }
    return message;
}

}  // namespace Networking
