#pragma once

#include "platform/connection/link_table.h"

#include <QObject>
#include <cstdint>
#include <vector>

class QSocketNotifier;

namespace dvx {

// Keeps a table of the machine's interfaces current from the kernel's link events: an rtnetlink
// socket subscribed to link changes, read whenever the event loop sees it readable. The table is
// filled by one dump of every link at start, and again whenever the kernel reports that events
// were lost because the socket's queue overflowed.
class LinkEventWatch : public QObject {
    Q_OBJECT

public:
    explicit LinkEventWatch(QObject* parent = nullptr);
    ~LinkEventWatch() override;

    // Whether the table follows the kernel: the socket is open and the last dump completed.
    bool inSync() const { return inSync_; }
    ConnectionState state() const { return table_.state(); }

private:
    enum class ReadResult { drained, dumpDone, lostEvents, failed };

    bool open();
    void readEvents();
    bool resynchronise();
    bool dumpInto(LinkTable& table);
    bool sendDumpRequest();
    ReadResult readOnce(LinkTable& table, bool& applyEvents);
    ReadResult applyMessages(const char* bytes, std::size_t length, LinkTable& table,
                             bool& applyEvents) const;

    int socket_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    LinkTable table_;
    bool inSync_ = false;
    std::uint32_t dumpSequence_ = 0;
    std::vector<char> buffer_;
};

} // namespace dvx
