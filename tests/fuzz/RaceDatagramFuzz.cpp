// Race datagrams as the receive step reads them: the discovery type and course, then the race message.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "networking/RaceProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view datagram(reinterpret_cast<const char*>(data),
                                    size < Networking::kMaxDatagramSize ? size : Networking::kMaxDatagramSize);
    // Both readers see every datagram: the receive step may hand either one anything.
    (void)Networking::ReadDiscoveryType(datagram);
    (void)Networking::ReadDiscoveryCourse(datagram);
    const Networking::RaceMessage message = Networking::ParseRaceMessage(datagram);
    char keys[Networking::kKeyCount];
    Networking::DecodeKeys(Networking::EncodeKeys(message.keys.data()), keys);
    return 0;
}
