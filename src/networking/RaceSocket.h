// The manager's one socket: broadcasting on the discovery port until paired, then on the race port;
// it never blocks, and its failures reach the player through the error reporter.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "networking/Datagram.h"
#include "networking/DatagramTransport.h"
#include "networking/SocketErrorReporter.h"

namespace Networking {

class RaceSocket {
public:
    // `idleWait`: how long a call waits, while `talking`, when the socket has nothing to read or no
    // room to send.
    RaceSocket(std::unique_ptr<DatagramTransport> transport, std::uint16_t discoveryPort,
               std::uint16_t racePort, std::chrono::microseconds idleWait);
    ~RaceSocket();
    RaceSocket(const RaceSocket&) = delete;
    RaceSocket& operator=(const RaceSocket&) = delete;

    // Each opens its port unless it is the one open already.
    void OpenBroadcast();
    void OpenUnicast();

    // True when the datagram went out. One that finds the socket full is dropped: the next tick's
    // carries the whole state again.
    bool Send(const std::string& text, const PeerAddress& to, bool talking);
    // The next waiting datagram, a line feed added (it keeps a text parse from running off the
    // end, as it always has); false when none is waiting or the socket failed.
    bool Receive(Datagram& datagram, bool talking);

    std::uint32_t GetOwnAddress() const { return transport->GetOwnAddress(); }
    std::uint32_t GetBroadcastAddress() const { return transport->GetBroadcastAddress(); }
    std::string GetInterfaceName() const { return transport->GetInterfaceName(); }
    SocketErrorReporter& GetErrorReporter() { return errors; }

private:
    void Report(const std::vector<std::string>& problems);
    void Idle(bool talking);

    std::unique_ptr<DatagramTransport> transport;
    std::uint16_t discoveryPort;
    std::uint16_t racePort;
    std::chrono::microseconds idleWait;
    bool broadcastMode = false;
    bool unicastMode = false;
    SocketErrorReporter errors;
};

}  // namespace Networking
