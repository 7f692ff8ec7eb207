// The datagram transport on a POSIX UDP socket: non-blocking, broadcast-capable, bound to the
// any-address (Linux delivers no broadcast to a socket bound to a unicast address).
#pragma once

#include <string>

#include "networking/DatagramTransport.h"

namespace Networking {

class UdpTransport : public DatagramTransport {
public:
    // `interfaceName` picks the interface the race uses; empty: the first non-loopback IPv4
    // interface that is up and has a broadcast address.
    explicit UdpTransport(std::string interfaceName = std::string());
    ~UdpTransport() override;
    UdpTransport(const UdpTransport&) = delete;
    UdpTransport& operator=(const UdpTransport&) = delete;

    void Open(std::uint16_t port, bool broadcast, std::vector<std::string>& problems) override;
    void Close() override;
    TransportStatus Receive(char* buffer, std::size_t capacity, std::size_t& size, PeerAddress& from,
                            int& error) override;
    TransportStatus Send(const PeerAddress& to, const char* data, std::size_t size, int& error) override;

    std::uint32_t GetOwnAddress() const override { return ownAddress; }
    std::uint32_t GetBroadcastAddress() const override { return broadcastAddress; }
    std::string GetInterfaceName() const override { return interfaceName; }

private:
    // Looks the addresses up again: an interface may have gained or changed its address since.
    void FindInterface(std::vector<std::string>& problems);

    std::string requestedInterface;
    std::string interfaceName;
    std::uint32_t ownAddress = 0;
    std::uint32_t broadcastAddress = 0xFFFFFFFFu;
    int socketHandle = -1;
};

}  // namespace Networking
