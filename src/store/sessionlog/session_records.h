#pragma once

#include "store/registry/hive_database.h"
#include "store/sessionlog/session_record.h"

#include <QStringList>

namespace dvx {

// The names of the stored records, in the order they were made (see InRecordOrder).
QStringList SessionRecordNames();

// Writes a new record with every value but its description, under a name no record has yet
// (creating the Sessions key when it is missing), and returns the record's key.
QString WriteSessionRecord(const SessionRecord& record);
// Writes the description of the record at `recordKey`, only when that record exists (an empty
// key is none): a description never makes a record of its own.
void WriteSessionDescription(const QString& recordKey, const QString& description);

// Reads the record of that name without creating anything: a missing text reads as empty, a
// missing CallTime as 0.
SessionRecord ReadSessionRecord(const QString& name);
// Reads every record, in the order of SessionRecordNames, from one state of the store and by
// the same rules as ReadSessionRecord; none when the store cannot be read.
QList<SessionRecord> ReadSessionRecords();

// The state of the store now: while it stays the same, so do the records. None when the store
// cannot tell.
std::optional<HiveStamp> SessionLogStamp();

// Deletes every record, in list order; the Sessions key stays.
void DeleteSessionRecords();

} // namespace dvx
