#pragma once

#include "metering/currency.h"
#include "metering/regional_settings.h"
#include "store/registry/hive_database.h"
#include "store/registry/hive_health.h"
#include "store/registry/regutils.h"
#include "store/registry/store_result.h"
#include "store/sessionlog/call_in_progress.h"
#include "store/sessionlog/session_record.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

namespace dvx {

// The session log in the hive it is given: the running totals, one record per finished
// session, and the call in progress kept until it ends. Registry failures are silent unless a
// function says otherwise.
class SessionLogStore {
public:
    explicit SessionLogStore(Registry registry) : registry_(registry) {}

    // The names of the stored records, in the order they were made (see InRecordOrder).
    QStringList SessionRecordNames() const;

    // Writes a new record with every value but its description, under a name no record has yet
    // (creating the Sessions key when it is missing), and returns the record's key.
    QString WriteSessionRecord(const SessionRecord& record) const;
    // Writes the description of the record at `recordKey`, only when that record exists (an
    // empty key is none): a description never makes a record of its own. A record that is gone
    // is no failure.
    StoreResult WriteSessionDescription(const QString& recordKey, const QString& description) const;
    // Whether a record started and stopped at the moments of these date-and-time texts is
    // stored: no two calls share both.
    bool HasRecordOf(const QString& startText, const QString& stopText) const;

    // Reads the record of that name without creating anything: a missing text reads as empty, a
    // missing CallTime as 0.
    SessionRecord ReadSessionRecord(const QString& name) const;
    // Reads every record, in the order of SessionRecordNames, from one state of the store and
    // by the same rules as ReadSessionRecord; none when the store cannot be read.
    QList<SessionRecord> ReadSessionRecords() const;
    // Gives every record with its name, as the store holds them (not in record order), from one
    // state of the store and by the same rules; a long log is never held whole. False when the
    // store cannot be read (a log with no Sessions key yet has no records).
    using RecordVisitor = std::function<void(const QString& name, const SessionRecord& record)>;
    bool VisitSessionRecords(const RecordVisitor& visit) const;
    // The state of the store now: while it stays the same, so do the records. None when the
    // store cannot tell.
    std::optional<HiveStamp> SessionLogStamp() const;

    // Deletes every record, in list order; the Sessions key stays.
    void DeleteSessionRecords() const;
    // Starts the log again in one change of the store: the totals 0, the reset date, and no
    // record left (the Sessions key stays). All of it or, when it fails, none of it.
    StoreResult ResetLog(const QString& resetDate, const RegionalSettings& regional) const;

    // The running totals of the log as they are stored: TotalCallTime in seconds,
    // TotalCallCharges as the money text of the charges.
    void WriteLogTotals(std::int32_t seconds, Currency charges,
                        const RegionalSettings& regional) const;

    // Records a finished session in one change of the store: the new running totals (seconds
    // and the money text of the charges) and the new record with all its values, its
    // description last; the call kept in progress goes in the same change when it is this
    // session's. After a crash or a kill at any moment the store holds all of it or none of it.
    // Gives the record's key, for a description that replaces the first one; nothing is written
    // when it fails (the store is busy, read-only or full), so that the caller can keep the
    // session and try again.
    StoreValue<QString> RecordWholeSession(const SessionRecord& record, std::int32_t totalSeconds,
                                           Currency totalCharges,
                                           const RegionalSettings& regional) const;

    // Keeps the call, in place of the one kept before, in one change of the store: its start
    // (as the exact moment, and as date-and-time text for people who read the store), seconds,
    // exact charge, connection name and number.
    StoreResult KeepCallInProgress(const CallInProgress& call,
                                   const RegionalSettings& regional) const;
    // Whether anything is kept under the call's key, readable or not.
    bool CallInProgressKept() const;
    // The kept call; nothing when none is kept or when what is kept cannot be a call (a value
    // missing, of the wrong type or out of range). Reads without changing anything.
    std::optional<CallInProgress> ReadCallInProgress() const;
    // Removes whatever is kept under the call's key.
    void RemoveCallInProgress() const;
    // Removes the kept call when it is the call that started at the moment whose date-and-time
    // text is `startText`; a call kept since by a later session stays. Safe inside
    // WriteRegTogether: it changes nothing unless that call is there.
    void ForgetCallInProgressStartedAt(const QString& startText,
                                       const RegionalSettings& regional) const;
    // The same in a change of its own, which fails only when the store could not be changed.
    StoreResult DropCallInProgressStartedAt(const QString& startText,
                                            const RegionalSettings& regional) const;

    // `count` records were read while the store was in the state `at`: the next record takes its
    // name from that count while the store stays so, and a long log is not counted again.
    void NoteRecordCount(qsizetype count, const HiveStamp& at) const;
    // How many records there are; -1 when the store cannot tell.
    qsizetype RecordCount() const;

    // The hive's file, and whether it can be used now (see Hive::health).
    const QString& file() const;
    HiveHealth health() const;

private:
    QStringList storedNames() const;
    QString freeRecordName(qsizetype count) const;
    // Writes the record under the name that `count` records (-1: unknown) leave free.
    QString writeRecord(const SessionRecord& record, qsizetype count) const;
    // After a change of its own that left `count` records (-1: unknown): the count holds while
    // the store stays as that change left it.
    void knowRecordCount(qsizetype count) const;

    Registry registry_;
    // The number of records as this store last wrote them, with the state of the store then: a
    // long log's records are not counted again at every call's end.
    struct KnownCount {
        HiveStamp stamp;
        qsizetype count = 0;
    };
    mutable std::optional<KnownCount> knownCount_;
};

} // namespace dvx
