#include "platform/connection/interface_dump.h"

#include "platform/connection/link_table.h"

#include <cstring>
#include <ifaddrs.h>
#include <map>
#include <net/if.h>
#include <net/if_arp.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dvx {

namespace {

// Each interface's flags, by name. An interface appears once per address family; a link
// without a hardware address (a PPP link, say) appears without a link-layer address at all.
std::optional<std::map<std::string, unsigned>> InterfaceFlags() {
    std::map<std::string, unsigned> flags;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return std::nullopt;
    }
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_name != nullptr) {
            flags[entry->ifa_name] = entry->ifa_flags;
        }
    }
    freeifaddrs(list);
    return flags;
}

// The interface's link type (ARPHRD_*), or ARPHRD_VOID when the kernel does not say.
unsigned LinkType(int control, const std::string& name) {
    ifreq request{};
    if (name.size() >= IFNAMSIZ) {
        return ARPHRD_VOID;
    }
    std::memcpy(request.ifr_name, name.c_str(), name.size() + 1);
    if (::ioctl(control, SIOCGIFHWADDR, &request) != 0) {
        return ARPHRD_VOID;
    }
    return request.ifr_hwaddr.sa_family;
}

} // namespace

std::optional<ConnectionState> DumpConnectionState() {
    const auto interfaces = InterfaceFlags();
    if (!interfaces) {
        return std::nullopt;
    }
    const int control = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (control < 0) {
        return std::nullopt;
    }
    LinkTable table;
    int index = 0;
    for (const auto& [name, flags] : *interfaces) {
        table.set(index++, DescribeLink(flags, LinkType(control, name), name));
    }
    ::close(control);
    return table.state();
}

} // namespace dvx
