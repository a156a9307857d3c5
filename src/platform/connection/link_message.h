#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct nlmsghdr;

namespace dvx {

// One interface as an rtnetlink link message (RTM_NEWLINK or RTM_DELLINK) describes it.
struct LinkMessage {
    int index = 0;
    bool removed = false;
    unsigned flags = 0;    // IFF_*
    unsigned linkType = 0; // ARPHRD_*
    std::string name;
};

// Reads a link message about an interface; nothing for other message types, for messages of
// one address family's view of a link (a bridge port's), and for a message that is cut short or
// malformed. The header's nlmsg_len must already be known to lie within the received bytes.
std::optional<LinkMessage> ReadLinkMessage(const nlmsghdr& header);

} // namespace dvx
