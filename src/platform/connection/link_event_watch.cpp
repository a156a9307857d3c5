#include "platform/connection/link_event_watch.h"

#include "platform/connection/link_message.h"

#include <QSocketNotifier>
#include <cerrno>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dvx {

namespace {

// A dump that has not finished after this long is given up; the caller falls back.
constexpr int kDumpReplyTimeoutMs = 2000;
constexpr int kDumpAttempts = 3;
constexpr std::size_t kReceiveBufferBytes = 64 * 1024;

} // namespace

LinkEventWatch::LinkEventWatch(QObject* parent) : QObject(parent), buffer_(kReceiveBufferBytes) {
    if (!open()) {
        return;
    }
    notifier_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &LinkEventWatch::readEvents);
    resynchronise();
}

LinkEventWatch::~LinkEventWatch() {
    delete notifier_;
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

bool LinkEventWatch::open() {
    socket_ = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (socket_ < 0) {
        return false;
    }
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = RTMGRP_LINK;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        ::close(socket_);
        socket_ = -1;
        return false;
    }
    return true;
}

void LinkEventWatch::readEvents() {
    bool applyEvents = true;
    for (;;) {
        switch (readOnce(table_, applyEvents)) {
        case ReadResult::drained:
            if (!inSync_) {
                resynchronise();
            }
            return;
        case ReadResult::dumpDone:
            continue;
        case ReadResult::lostEvents:
        case ReadResult::failed:
            resynchronise();
            return;
        }
    }
}

bool LinkEventWatch::resynchronise() {
    for (int attempt = 0; attempt < kDumpAttempts; ++attempt) {
        LinkTable fresh;
        if (dumpInto(fresh)) {
            table_ = fresh;
            inSync_ = true;
            return true;
        }
    }
    inSync_ = false;
    return false;
}

// Events queued before the dump's first reply are older than the dump and are dropped: a link
// removed meanwhile would otherwise stay in the table, as the dump cannot mention it. From the
// first reply on, events and replies are applied in the order the kernel queued them.
bool LinkEventWatch::dumpInto(LinkTable& table) {
    if (!sendDumpRequest()) {
        return false;
    }
    bool applyEvents = false;
    for (;;) {
        pollfd readable{socket_, POLLIN, 0};
        if (::poll(&readable, 1, kDumpReplyTimeoutMs) <= 0) {
            return false;
        }
        switch (readOnce(table, applyEvents)) {
        case ReadResult::dumpDone:
            return true;
        case ReadResult::drained:
            continue;
        case ReadResult::lostEvents:
        case ReadResult::failed:
            return false;
        }
    }
}

bool LinkEventWatch::sendDumpRequest() {
    struct {
        nlmsghdr header;
        ifinfomsg info;
    } request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = RTM_GETLINK;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = ++dumpSequence_;
    request.info.ifi_family = AF_UNSPEC;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    return ::sendto(socket_, &request, sizeof request, 0, reinterpret_cast<sockaddr*>(&kernel),
                    sizeof kernel) == static_cast<ssize_t>(sizeof request);
}

LinkEventWatch::ReadResult LinkEventWatch::readOnce(LinkTable& table, bool& applyEvents) {
    sockaddr_nl sender{};
    iovec vector{buffer_.data(), buffer_.size()};
    msghdr message{};
    message.msg_name = &sender;
    message.msg_namelen = sizeof sender;
    message.msg_iov = &vector;
    message.msg_iovlen = 1;
    const ssize_t received = ::recvmsg(socket_, &message, MSG_DONTWAIT);
    if (received < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
            return ReadResult::drained;
        }
        return errno == ENOBUFS ? ReadResult::lostEvents : ReadResult::failed;
    }
    if (message.msg_flags & MSG_TRUNC) {
        return ReadResult::lostEvents;
    }
    if (sender.nl_pid != 0) {
        return ReadResult::drained; // only the kernel speaks about links
    }
    return applyMessages(buffer_.data(), static_cast<std::size_t>(received), table, applyEvents);
}

LinkEventWatch::ReadResult LinkEventWatch::applyMessages(const char* bytes, std::size_t length,
                                                         LinkTable& table,
                                                         bool& applyEvents) const {
    ReadResult result = ReadResult::drained;
    int remaining = static_cast<int>(length);
    for (auto* header = reinterpret_cast<const nlmsghdr*>(bytes); NLMSG_OK(header, remaining);
         header = NLMSG_NEXT(header, remaining)) {
        const bool answersDump = header->nlmsg_seq == dumpSequence_;
        applyEvents = applyEvents || answersDump;
        if (header->nlmsg_type == NLMSG_DONE && answersDump) {
            result = ReadResult::dumpDone;
        } else if (header->nlmsg_type == NLMSG_ERROR && answersDump) {
            return ReadResult::failed;
        } else if (const auto link = ReadLinkMessage(*header); link && applyEvents) {
            if (link->removed) {
                table.remove(link->index);
            } else {
                table.set(link->index, DescribeLink(link->flags, link->linkType, link->name));
            }
        }
    }
    return result;
}

} // namespace dvx
