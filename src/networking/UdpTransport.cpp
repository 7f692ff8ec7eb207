// The UDP socket, and the choice of the interface the race uses.
#include "networking/UdpTransport.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace Networking {
namespace {

struct Interface {
    std::string name;
    std::uint32_t address = 0;
    std::uint32_t broadcast = 0;
};

std::uint32_t AddressOf(const sockaddr* address) {
    return ntohl(reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr);
}

sockaddr_in SocketAddress(std::uint32_t address, std::uint16_t port) {
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_port = htons(port);
    socketAddress.sin_addr.s_addr = htonl(address);
    return socketAddress;
}

}  // namespace

UdpTransport::UdpTransport(std::string interfaceName) : requestedInterface(std::move(interfaceName)) {}

UdpTransport::~UdpTransport() {
    Close();
}

void UdpTransport::FindInterface(std::vector<std::string>& problems) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        problems.push_back(SocketProblemText("Problem Finding The Network Interfaces.", errno));
        return;
    }
    bool found = false;
    bool foundNamed = false;
    Interface first;
    Interface named;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET ||
            (entry->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        const bool hasBroadcast = (entry->ifa_flags & IFF_BROADCAST) != 0 && entry->ifa_broadaddr != nullptr;
        const std::uint32_t address = AddressOf(entry->ifa_addr);
        if (!requestedInterface.empty() && requestedInterface == entry->ifa_name && !foundNamed) {
            // A named interface without a broadcast address (loopback, a tunnel) broadcasts to the
            // top of its own subnet.
            std::uint32_t broadcast = address;
            if (hasBroadcast) {
                broadcast = AddressOf(entry->ifa_broadaddr);
            } else if (entry->ifa_netmask != nullptr) {
                broadcast = address | ~AddressOf(entry->ifa_netmask);
            }
            named = Interface{entry->ifa_name, address, broadcast};
            foundNamed = true;
        }
        if (!found && (entry->ifa_flags & IFF_LOOPBACK) == 0 && hasBroadcast) {
            first = Interface{entry->ifa_name, address, AddressOf(entry->ifa_broadaddr)};
            found = true;
        }
    }
    freeifaddrs(list);

    if (!requestedInterface.empty() && !foundNamed) {
        problems.push_back("No network interface named \"" + requestedInterface +
                           "\" is up with an IPv4 address; the race looks on " +
                           (found ? first.name : std::string("no network")) + " instead.");
    }
    if (foundNamed) {
        first = named;
    } else if (!found) {
        // No network: the broadcast goes nowhere, and the failure to send says so.
        first = Interface{std::string(), 0, 0xFFFFFFFFu};
    }
    interfaceName = first.name;
    ownAddress = first.address;
    broadcastAddress = first.broadcast;
}

void UdpTransport::Open(std::uint16_t port, bool broadcast, std::vector<std::string>& problems) {
    Close();
    FindInterface(problems);
    socketHandle = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socketHandle < 0) {
        problems.push_back(SocketProblemText("Problem Initializing Socket.", errno));
        return;
    }
    const int allowBroadcast = broadcast ? 1 : 0;
    if (setsockopt(socketHandle, SOL_SOCKET, SO_BROADCAST, &allowBroadcast, sizeof allowBroadcast) != 0) {
        problems.push_back(SocketProblemText("Problem Making The Socket Broadcast.", errno));
    }
    // A second copy of the game on this machine (or one that just quit) must not keep the port.
    const int reuse = 1;
    setsockopt(socketHandle, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    const sockaddr_in local = SocketAddress(INADDR_ANY, port);
    if (bind(socketHandle, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        problems.push_back(SocketProblemText("Problem Binding Socket.", errno));
    }
}

void UdpTransport::Close() {
    if (socketHandle >= 0) {
        close(socketHandle);
        socketHandle = -1;
    }
}

TransportStatus UdpTransport::Receive(char* buffer, std::size_t capacity, std::size_t& size,
                                      PeerAddress& from, int& error) {
    if (socketHandle < 0) {
        error = EBADF;
        return TransportStatus::Failed;
    }
    sockaddr_in sender{};
    socklen_t length = sizeof sender;
    const ssize_t received =
        recvfrom(socketHandle, buffer, capacity, 0, reinterpret_cast<sockaddr*>(&sender), &length);
    if (received < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
            return TransportStatus::WouldBlock;
        }
        error = errno;
        return TransportStatus::Failed;
    }
    size = static_cast<std::size_t>(received);
    from = PeerAddress{ntohl(sender.sin_addr.s_addr), ntohs(sender.sin_port)};
    return TransportStatus::Ok;
}

TransportStatus UdpTransport::Send(const PeerAddress& to, const char* data, std::size_t size, int& error) {
    if (socketHandle < 0) {
        error = EBADF;
        return TransportStatus::Failed;
    }
    const sockaddr_in destination = SocketAddress(to.address, to.port);
    if (sendto(socketHandle, data, size, 0, reinterpret_cast<const sockaddr*>(&destination),
               sizeof destination) < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
            return TransportStatus::WouldBlock;
        }
        error = errno;
        return TransportStatus::Failed;
    }
    return TransportStatus::Ok;
}

}  // namespace Networking
