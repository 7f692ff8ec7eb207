// A received datagram as the manager passes it on: its text and the machine that sent it.
#pragma once

#include <string>

#include "networking/DatagramTransport.h"

namespace Networking {

struct Datagram {
    std::string text;
    PeerAddress from;
};

}  // namespace Networking
