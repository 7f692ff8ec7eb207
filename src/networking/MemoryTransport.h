// A datagram transport in memory, for tests and benchmarks: transports on one MemoryNetwork
// reach each other by address and port, and broadcasts reach every transport on the port.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "networking/DatagramTransport.h"

namespace Networking {

class MemoryTransport;

class MemoryNetwork {
public:
    // 10.0.0.255: the network the transports stand on is 10.0.0.0/24.
    static constexpr std::uint32_t kBroadcast = 0x0A0000FFu;

    void Join(MemoryTransport* transport);
    void Leave(MemoryTransport* transport);
    // To the broadcast address (either form): every open transport on the port, the sender too,
    // as a real broadcast comes back to its sender.
    void Deliver(const PeerAddress& from, const PeerAddress& to, const std::string& bytes);

private:
    std::vector<MemoryTransport*> transports;
};

class MemoryTransport : public DatagramTransport {
public:
    MemoryTransport(MemoryNetwork& network, std::uint32_t ownAddress);
    ~MemoryTransport() override;
    MemoryTransport(const MemoryTransport&) = delete;
    MemoryTransport& operator=(const MemoryTransport&) = delete;

    void Open(std::uint16_t port, bool broadcast, std::vector<std::string>& problems) override;
    void Close() override;
    TransportStatus Receive(char* buffer, std::size_t capacity, std::size_t& size, PeerAddress& from,
                            int& error) override;
    TransportStatus Send(const PeerAddress& to, const char* data, std::size_t size, int& error) override;

    std::uint32_t GetOwnAddress() const override { return ownAddress; }
    std::uint32_t GetBroadcastAddress() const override { return MemoryNetwork::kBroadcast; }
    std::string GetInterfaceName() const override { return "mem0"; }

    // Puts a datagram into this transport's queue as if it had arrived.
    void Inject(const PeerAddress& from, std::string bytes) { queue.emplace_back(from, std::move(bytes)); }
    bool IsOpen() const { return open; }
    std::uint16_t GetPort() const { return port; }
    bool IsBroadcast() const { return broadcast; }
    std::size_t Waiting() const { return queue.size(); }

    // What was sent, in order.
    std::vector<std::pair<PeerAddress, std::string>> sent;
    // Error numbers the next calls fail with (0: they succeed); `openProblems` are added by Open.
    int receiveError = 0;
    int sendError = 0;
    std::vector<std::string> openProblems;

private:
    MemoryNetwork& network;
    std::uint32_t ownAddress;
    std::uint16_t port = 0;
    bool open = false;
    bool broadcast = false;
    std::deque<std::pair<PeerAddress, std::string>> queue;
};

}  // namespace Networking
