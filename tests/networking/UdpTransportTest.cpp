// The UDP transport on loopback only: the named interface, broadcasts back to every socket on the
// port, and an interface name that is not there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "networking/UdpTransport.h"

namespace {

using namespace Networking;

// A port of this test run's own, so runs side by side do not hear each other.
std::uint16_t TestPort() {
    return static_cast<std::uint16_t>(20000 + ::getpid() % 20000);
}

TEST(UdpTransport, OnLoopbackABroadcastReachesEverySocketOnThePort) {
    UdpTransport first("lo");
    UdpTransport second("lo");
    std::vector<std::string> problems;
    first.Open(TestPort(), true, problems);
    second.Open(TestPort(), true, problems);
    ASSERT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(first.GetInterfaceName(), "lo");
    EXPECT_EQ(first.GetOwnAddress(), 0x7F000001u);
    EXPECT_EQ(first.GetBroadcastAddress(), 0x7FFFFFFFu)
        << "loopback has no broadcast address: its subnet's top";

    char buffer[64];
    std::size_t size = 0;
    PeerAddress from;
    int error = 0;
    EXPECT_EQ(first.Receive(buffer, sizeof buffer, size, from, error), TransportStatus::WouldBlock);
    const std::string text = "0ZOL0ACK\n" + std::to_string(::getpid());
    ASSERT_EQ(first.Send({first.GetBroadcastAddress(), TestPort()}, text.data(), text.size(), error),
              TransportStatus::Ok)
        << error;
    for (UdpTransport* transport : {&first, &second}) {
        std::string received;
        // Bounded: loopback delivers at once, but a stranger's datagram on the port is skipped.
        for (int tries = 0; tries < 100 && received != text; ++tries) {
            if (transport->Receive(buffer, sizeof buffer, size, from, error) == TransportStatus::Ok) {
                received.assign(buffer, size);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        EXPECT_EQ(received, text);
        EXPECT_EQ(from.address, 0x7F000001u);
        EXPECT_EQ(from.port, TestPort());
    }
}

TEST(UdpTransport, AMissingInterfaceIsReportedAndTheRaceLooksElsewhere) {
    UdpTransport transport("nosuch0");
    std::vector<std::string> problems;
    transport.Open(static_cast<std::uint16_t>(TestPort() + 1), false, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("\"nosuch0\""), std::string::npos) << problems[0];
    EXPECT_NE(transport.GetInterfaceName(), "nosuch0");
    EXPECT_NE(transport.GetInterfaceName(), "lo") << "the first choice never falls on loopback";
}

}  // namespace
