#pragma once

#include "calllog/session_list_reading.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>

namespace dvx {

// Reads the session list on a thread of its own, over a connection to the hive file that never
// writes, so that a long log never holds the thread that asks: one reading at a time, whose
// result is handed back on the asking thread's event loop. It also frees the lists that are no
// longer shown, which for a long one takes a while too.
class SessionListReader {
public:
    using Done = std::function<void(SessionListReading)>;

    explicit SessionListReader(QString hiveFile);
    // Stops the reading under way and waits for its thread; its result is never handed back.
    ~SessionListReader();
    SessionListReader(const SessionListReader&) = delete;
    SessionListReader& operator=(const SessionListReader&) = delete;

    // Starts a reading; `done` is called with it on this thread, and `counted` before with the
    // number of records, unless the reading was handed back first. None may be under way.
    void read(const RegionalSettings& regional, Done done, RecordsCounted counted = {});
    bool reading() const { return pending_.has_value(); }
    // Waits for the reading under way and hands its result back now rather than later.
    void finish();
    // Frees the rows on the reader's thread.
    void dispose(ListedSessions rows);

private:
    struct Pending {
        std::uint64_t serial = 0;
        std::future<SessionListReading> result;
        Done done;
        RecordsCounted counted;
    };

    void deliver(std::uint64_t serial);
    void deliverOnceShown(std::uint64_t serial);
    void tellCount(std::uint64_t serial, qsizetype count);

    QString file_;
    QThreadPool pool_;
    std::atomic<bool> stop_ = false;
    // Lives on the asking thread: the results come back through its event loop.
    QObject handBack_;
    std::optional<Pending> pending_;
    std::uint64_t serial_ = 0;
};

} // namespace dvx
