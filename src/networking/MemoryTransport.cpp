// The in-memory network and its transports.
#include "networking/MemoryTransport.h"

#include <algorithm>
#include <cstring>

namespace Networking {

void MemoryNetwork::Join(MemoryTransport* transport) {
    transports.push_back(transport);
}

void MemoryNetwork::Leave(MemoryTransport* transport) {
    transports.erase(std::remove(transports.begin(), transports.end(), transport), transports.end());
}

void MemoryNetwork::Deliver(const PeerAddress& from, const PeerAddress& to, const std::string& bytes) {
    const bool toAll = to.address == kBroadcast || to.address == 0xFFFFFFFFu;
    for (MemoryTransport* transport : transports) {
        if (transport->IsOpen() && transport->GetPort() == to.port &&
            (toAll || transport->GetOwnAddress() == to.address)) {
            transport->Inject(from, bytes);
        }
    }
}

MemoryTransport::MemoryTransport(MemoryNetwork& network, std::uint32_t ownAddress)
    : network(network), ownAddress(ownAddress) {
    network.Join(this);
}

MemoryTransport::~MemoryTransport() {
    network.Leave(this);
}

void MemoryTransport::Open(std::uint16_t newPort, bool allowBroadcast, std::vector<std::string>& problems) {
    Close();
    problems.insert(problems.end(), openProblems.begin(), openProblems.end());
    port = newPort;
    broadcast = allowBroadcast;
    open = true;
}

void MemoryTransport::Close() {
    open = false;
    queue.clear();
}

TransportStatus MemoryTransport::Receive(char* buffer, std::size_t capacity, std::size_t& size,
                                         PeerAddress& from, int& error) {
    if (receiveError != 0) {
        error = receiveError;
        return TransportStatus::Failed;
    }
    if (queue.empty()) {
        return TransportStatus::WouldBlock;
    }
    const std::string& bytes = queue.front().second;
    size = std::min(capacity, bytes.size());
    std::memcpy(buffer, bytes.data(), size);
    from = queue.front().first;
    queue.pop_front();
    return TransportStatus::Ok;
}

TransportStatus MemoryTransport::Send(const PeerAddress& to, const char* data, std::size_t size, int& error) {
    if (sendError != 0) {
        error = sendError;
        return TransportStatus::Failed;
    }
    std::string bytes(data, size);
    sent.emplace_back(to, bytes);
    network.Deliver(PeerAddress{ownAddress, port}, to, bytes);
    return TransportStatus::Ok;
}

}  // namespace Networking
