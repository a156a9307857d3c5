#include "platform/connection/link_message.h"

#include <cstring>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace dvx {

namespace {

// The interface name attribute, bounded by its own length whether or not it ends in a zero.
std::string NameAttribute(const rtattr& attribute) {
    const auto* text = static_cast<const char*>(RTA_DATA(&attribute));
    const std::size_t length = RTA_PAYLOAD(&attribute);
    return std::string(text, strnlen(text, length));
}

} // namespace

std::optional<LinkMessage> ReadLinkMessage(const nlmsghdr& header) {
    if (header.nlmsg_type != RTM_NEWLINK && header.nlmsg_type != RTM_DELLINK) {
        return std::nullopt;
    }
    if (header.nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) {
        return std::nullopt;
    }
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(&header));
    // Bridge port messages (family AF_BRIDGE) speak of a port joining or leaving a bridge: their
    // RTM_DELLINK does not mean that the interface is gone.
    if (info->ifi_family != AF_UNSPEC) {
        return std::nullopt;
    }
    LinkMessage message;
    message.index = info->ifi_index;
    message.removed = header.nlmsg_type == RTM_DELLINK;
    message.flags = info->ifi_flags;
    message.linkType = info->ifi_type;

    int remaining = static_cast<int>(header.nlmsg_len - NLMSG_LENGTH(sizeof(ifinfomsg)));
    for (const rtattr* attribute = IFLA_RTA(info); RTA_OK(attribute, remaining);
         attribute = RTA_NEXT(attribute, remaining)) {
        if (attribute->rta_type == IFLA_IFNAME) {
            message.name = NameAttribute(*attribute);
        }
    }
    return message;
}

} // namespace dvx
