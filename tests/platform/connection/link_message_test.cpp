#include "platform/connection/link_message.h"

#include <cstring>
#include <gtest/gtest.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sys/socket.h>
#include <vector>

using namespace dvx;

namespace {

// A link message as the kernel sends it: header, interface info, then one name attribute whose
// payload is the given bytes (normally the name and its terminating zero).
std::vector<char> LinkMessageBytes(unsigned short type, const std::string& namePayload,
                                   unsigned char family = AF_UNSPEC) {
    const std::size_t attributeLength = RTA_LENGTH(namePayload.size());
    const std::size_t length = NLMSG_LENGTH(sizeof(ifinfomsg)) + RTA_ALIGN(attributeLength);
    std::vector<char> bytes(NLMSG_ALIGN(length) + 64, '\x7f');
    auto* header = reinterpret_cast<nlmsghdr*>(bytes.data());
    header->nlmsg_len = static_cast<unsigned>(length);
    header->nlmsg_type = type;
    auto* info = static_cast<ifinfomsg*>(NLMSG_DATA(header));
    *info = {};
    info->ifi_family = family;
    info->ifi_index = 7;
    info->ifi_type = ARPHRD_PPP;
    info->ifi_flags = IFF_UP | IFF_RUNNING;
    auto* attribute = IFLA_RTA(info);
    attribute->rta_type = IFLA_IFNAME;
    attribute->rta_len = static_cast<unsigned short>(attributeLength);
    std::memcpy(RTA_DATA(attribute), namePayload.data(), namePayload.size());
    return bytes;
}

const nlmsghdr& Header(const std::vector<char>& bytes) {
    return *reinterpret_cast<const nlmsghdr*>(bytes.data());
}

TEST(ReadLinkMessage, ReadsNewAndRemovedLinks) {
    const auto added = ReadLinkMessage(Header(LinkMessageBytes(RTM_NEWLINK, {"ppp0", 5})));
    ASSERT_TRUE(added);
    EXPECT_EQ(7, added->index);
    EXPECT_FALSE(added->removed);
    EXPECT_EQ(unsigned(IFF_UP | IFF_RUNNING), added->flags);
    EXPECT_EQ(unsigned(ARPHRD_PPP), added->linkType);
    EXPECT_EQ("ppp0", added->name);

    const auto removed = ReadLinkMessage(Header(LinkMessageBytes(RTM_DELLINK, {"ppp0", 5})));
    ASSERT_TRUE(removed);
    EXPECT_TRUE(removed->removed);
}

TEST(ReadLinkMessage, StaysWithinTheMessage) {
    // A name without its terminating zero ends where its attribute ends.
    const auto unterminated = ReadLinkMessage(Header(LinkMessageBytes(RTM_NEWLINK, "wwan0")));
    ASSERT_TRUE(unterminated);
    EXPECT_EQ("wwan0", unterminated->name);

    auto shortMessage = LinkMessageBytes(RTM_NEWLINK, {"ppp0", 5});
    reinterpret_cast<nlmsghdr*>(shortMessage.data())->nlmsg_len = NLMSG_LENGTH(4);
    EXPECT_FALSE(ReadLinkMessage(Header(shortMessage)));

    EXPECT_FALSE(ReadLinkMessage(Header(LinkMessageBytes(RTM_NEWADDR, {"ppp0", 5}))));
}

TEST(ReadLinkMessage, IgnoresBridgePortMessages) {
    // A port leaving a bridge is announced as RTM_DELLINK of family AF_BRIDGE; the link stays.
    EXPECT_FALSE(ReadLinkMessage(Header(LinkMessageBytes(RTM_DELLINK, {"lan0", 5}, AF_BRIDGE))));
    EXPECT_FALSE(ReadLinkMessage(Header(LinkMessageBytes(RTM_NEWLINK, {"lan0", 5}, AF_BRIDGE))));
}

} // namespace
