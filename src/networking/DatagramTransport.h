// What the network manager needs of a datagram socket: open on a port, send, receive without
// blocking, and where this machine stands on the network. UDP in the game, memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Networking {

// An IPv4 address and port, both in host byte order.
struct PeerAddress {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
};

enum class TransportStatus { Ok, WouldBlock, Failed };

class DatagramTransport {
public:
    virtual ~DatagramTransport() = default;

    // Closes the current socket and opens one on `port` of the any-address; `broadcast` allows
    // sending to the broadcast address. A step that fails adds its text to `problems` and the
    // rest still runs, as far as it can.
    virtual void Open(std::uint16_t port, bool broadcast, std::vector<std::string>& problems) = 0;
    virtual void Close() = 0;
    // One waiting datagram, cut to `capacity`. On Failed, `error` holds the system's error number.
    virtual TransportStatus Receive(char* buffer, std::size_t capacity, std::size_t& size, PeerAddress& from,
                                    int& error) = 0;
    virtual TransportStatus Send(const PeerAddress& to, const char* data, std::size_t size, int& error) = 0;

    // This machine's address on the network the race uses (0 when there is none) and that
    // network's broadcast address.
    virtual std::uint32_t GetOwnAddress() const = 0;
    virtual std::uint32_t GetBroadcastAddress() const = 0;
    // The interface the race uses, for the player to see ("" when none was found).
    virtual std::string GetInterfaceName() const = 0;
};

// "10.77.0.1".
std::string FormatAddress(std::uint32_t address);
// A socket problem as the player reads it: "Problem Binding Socket. Error 98: Address already in use".
std::string SocketProblemText(const char* problem, int error);

}  // namespace Networking
