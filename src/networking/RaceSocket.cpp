// Opening the race's ports, sending and receiving without blocking, and reporting what fails.
#include "networking/RaceSocket.h"

#include <thread>

#include "networking/RaceProtocol.h"

namespace Networking {

RaceSocket::RaceSocket(std::unique_ptr<DatagramTransport> transport, std::uint16_t discoveryPort,
                       std::uint16_t racePort, std::chrono::microseconds idleWait)
    : transport(std::move(transport)), discoveryPort(discoveryPort), racePort(racePort), idleWait(idleWait) {}

RaceSocket::~RaceSocket() {
    transport->Close();
}

void RaceSocket::OpenBroadcast() {
    if (broadcastMode) {
        return;
    }
    std::vector<std::string> problems;
    transport->Open(discoveryPort, true, problems);
    broadcastMode = true;
    unicastMode = false;
    Report(problems);
}

void RaceSocket::OpenUnicast() {
    if (unicastMode) {
        return;
    }
    std::vector<std::string> problems;
    transport->Open(racePort, false, problems);
    unicastMode = true;
    broadcastMode = false;
    Report(problems);
}

void RaceSocket::Report(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        errors.Report(problem);
    }
}

void RaceSocket::Idle(bool talking) {
    // Only while talking: a game that does not race (and every test run of a level) is not slowed.
    if (talking && idleWait.count() > 0) {
        std::this_thread::sleep_for(idleWait);
    }
}

bool RaceSocket::Send(const std::string& text, const PeerAddress& to, bool talking) {
    int error = 0;
    switch (transport->Send(to, text.data(), text.size(), error)) {
        case TransportStatus::Ok:
            return true;
        case TransportStatus::WouldBlock:
            Idle(talking);
            break;
        case TransportStatus::Failed:
            errors.Report(SocketProblemText("Problem with Client Sending with UDP.", error));
            break;
    }
    return false;
}

bool RaceSocket::Receive(Datagram& datagram, bool talking) {
    char buffer[kMaxDatagramSize];
    std::size_t size = 0;
    int error = 0;
    switch (transport->Receive(buffer, sizeof buffer, size, datagram.from, error)) {
        case TransportStatus::Ok:
            datagram.text.assign(buffer, size);
            datagram.text += '\n';
            return true;
        case TransportStatus::WouldBlock:
            Idle(talking);
            break;
        case TransportStatus::Failed:
            errors.Report(SocketProblemText("Problem Listening With UDP.", error));
            break;
    }
    return false;
}

}  // namespace Networking
