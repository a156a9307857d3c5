#pragma once

#include "metering/currency.h"
#include "store/sessionlog/session_record.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>

namespace dvx {

// Finished sessions on their way into the store, in the order they ended. A session whose write
// fails (the hive held by another program, read-only, full) waits here and is written again
// later, in order, until it lands: a billed call is never dropped. Each session is written with
// the totals that include it, in one change of the store; its description, asked afterwards,
// follows in a step of its own.
class PendingSessions {
public:
    // Writes a record with its totals in one change; returns the record's key, or an empty key
    // when nothing was written.
    using RecordWriter =
        std::function<QString(const SessionRecord&, std::int32_t totalSeconds, Currency)>;
    using DescriptionWriter = std::function<void(const QString& key, const QString& text)>;

    PendingSessions(RecordWriter writeRecord, DescriptionWriter writeDescription);

    // A finished session and the totals that include it; returns its ticket for describe().
    std::uint64_t add(const SessionRecord& record, std::int32_t totalSeconds,
                      Currency totalCharges);
    // The session's description is known.
    void describe(std::uint64_t ticket, const QString& description);

    // Writes what waits, in order, as far as it can. False when a write failed and sessions
    // still wait for the store; a session only waiting for its description is no failure.
    [[nodiscard]] bool write();

    // Sessions whose record is not in the store yet.
    qsizetype unsaved() const;
    bool empty() const { return sessions_.empty(); }

private:
    struct Pending {
        std::uint64_t ticket = 0;
        SessionRecord record;
        std::int32_t totalSeconds = 0;
        Currency totalCharges;
        QString key; // set once the record is in the store
        bool described = false;
        QString description;
    };

    RecordWriter writeRecord_;
    DescriptionWriter writeDescription_;
    std::deque<Pending> sessions_;
    std::uint64_t nextTicket_ = 1;
};

} // namespace dvx
