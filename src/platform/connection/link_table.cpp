#include "platform/connection/link_table.h"

#include "platform/connection/modem_link.h"

#include <net/if.h>

namespace dvx {

LinkStatus DescribeLink(unsigned flags, unsigned linkType, const std::string& name) {
    LinkStatus status;
    status.carriesTraffic =
        !(flags & IFF_LOOPBACK) && (flags & IFF_UP) != 0 && (flags & IFF_RUNNING) != 0;
    status.modem = status.carriesTraffic && IsModemLink(name, linkType);
    return status;
}

void LinkTable::set(int index, LinkStatus status) {
    links_[index] = status;
    recount();
}

void LinkTable::remove(int index) {
    if (links_.erase(index) != 0) {
        recount();
    }
}

void LinkTable::recount() {
    state_ = {};
    for (const auto& [index, link] : links_) {
        state_.connected = state_.connected || link.carriesTraffic;
        state_.viaModem = state_.viaModem || (link.carriesTraffic && link.modem);
    }
}

} // namespace dvx
