// Texts about addresses and socket problems, shared by the transports and the manager.
#include "networking/DatagramTransport.h"

#include <cstdio>
#include <cstring>

namespace Networking {

std::string FormatAddress(std::uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

std::string SocketProblemText(const char* problem, int error) {
    return std::string(problem) + " Error " + std::to_string(error) + ": " + std::strerror(error);
}

}  // namespace Networking
