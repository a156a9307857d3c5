#include "store/sessionlog/session_records.h"

#include "store/registry/process_hive.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/record_names.h"
#include "store/settings/store_keys.h"

namespace dvx {

namespace {

QString recordKey(const QString& name) {
    return kSessionsKey + QLatin1Char('\\') + name;
}

QStringList storedNames() {
    QStringList names;
    ListRegSubKeys(kSessionsKey, names);
    return names;
}

} // namespace

QStringList SessionRecordNames() {
    return InRecordOrder(storedNames());
}

QString WriteSessionRecord(const SessionRecord& record) {
    const QString key = recordKey(FreeRecordName(storedNames()));
    EnsureRegKey(key);
    WriteRegInteger(key, QStringLiteral("CallTime"), record.callTime);
    WriteRegString(key, QStringLiteral("SessionStart"), record.sessionStart);
    WriteRegString(key, QStringLiteral("SessionStop"), record.sessionStop);
    WriteRegString(key, QStringLiteral("CallCharges"), record.callCharges);
    WriteRegString(key, QStringLiteral("ConnectionName"), record.connectionName);
    WriteRegString(key, QStringLiteral("Number"), record.number);
    return key;
}

void WriteSessionDescription(const QString& recordKey, const QString& description) {
    if (!recordKey.isEmpty()) {
        // A description that cannot be written is lost without a word, as every write of the
        // settings is; the record itself is already in the store.
        [[maybe_unused]] const bool written = ProcessHive().writeValueIfKeyExists(
            recordKey, QStringLiteral("Description"), RegValue::ofString(description));
    }
}

SessionRecord ReadSessionRecord(const QString& name) {
    const QString key = recordKey(name);
    SessionRecord record;
    ReadRegString(key, QStringLiteral("SessionStart"), record.sessionStart, false);
    ReadRegString(key, QStringLiteral("SessionStop"), record.sessionStop, false);
    ReadRegString(key, QStringLiteral("Description"), record.description, false);
    ReadRegInteger(key, QStringLiteral("CallTime"), record.callTime, false);
    ReadRegString(key, QStringLiteral("CallCharges"), record.callCharges, false);
    ReadRegString(key, QStringLiteral("ConnectionName"), record.connectionName, false);
    ReadRegString(key, QStringLiteral("Number"), record.number, false);
    return record;
}

void DeleteSessionRecords() {
    for (const QString& name : storedNames())
        DeleteRegKey(recordKey(name));
}

} // namespace dvx
