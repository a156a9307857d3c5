#pragma once

#include "platform/connection/connection_state.h"

#include <string>
#include <unordered_map>

namespace dvx {

// What matters about one network interface for the connection state.
struct LinkStatus {
    bool carriesTraffic = false; // not loopback, up and running
    bool modem = false;          // a modem link (see IsModemLink)
};

// Describes an interface from its flags (IFF_*), link type (ARPHRD_*) and name.
LinkStatus DescribeLink(unsigned flags, unsigned linkType, const std::string& name);

// The machine's interfaces by kernel index, and the connection state they add up to: connected
// when any interface carries traffic, through a modem when such an interface is a modem link.
class LinkTable {
public:
    void set(int index, LinkStatus status);
    void remove(int index);
    ConnectionState state() const { return state_; }

private:
    void recount();

    std::unordered_map<int, LinkStatus> links_;
    ConnectionState state_;
};

} // namespace dvx
