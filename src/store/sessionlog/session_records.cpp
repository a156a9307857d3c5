#include "store/sessionlog/session_records.h"

#include "store/registry/key_path.h"
#include "store/registry/process_hive.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/record_names.h"
#include "store/settings/store_keys.h"

#include <algorithm>
#include <utility>

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

// Takes one stored value into the record when its name is one of the record's and its type
// the one that value has; any other value is left out, as a single read leaves it.
void takeValue(SessionRecord& record, const NamedRegValue& stored) {
    const QString name = FoldName(stored.name);
    if (stored.value.isDword()) {
        if (name == QLatin1String("CALLTIME"))
            record.callTime = stored.value.dword;
        return;
    }
    if (stored.value.type != RegValue::Type::string)
        return;
    const std::pair<const char*, QString SessionRecord::*> fields[] = {
        {"SESSIONSTART", &SessionRecord::sessionStart},
        {"SESSIONSTOP", &SessionRecord::sessionStop},
        {"DESCRIPTION", &SessionRecord::description},
        {"CALLCHARGES", &SessionRecord::callCharges},
        {"CONNECTIONNAME", &SessionRecord::connectionName},
        {"NUMBER", &SessionRecord::number}};
    for (const auto& [folded, field] : fields) {
        if (name == QLatin1String(folded)) {
            record.*field = stored.value.text;
            return;
        }
    }
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

QList<SessionRecord> ReadSessionRecords() {
    QList<SubKeyValues> stored;
    if (!ProcessHive().readSubKeyValues(kSessionsKey, stored))
        return {};
    QStringList names;
    names.reserve(stored.size());
    for (const SubKeyValues& key : stored)
        names.append(key.name);
    QList<SessionRecord> records;
    records.reserve(stored.size());
    for (const qsizetype at : RecordOrder(names)) {
        SessionRecord& record = records.emplace_back();
        for (const NamedRegValue& value : stored[at].values)
            takeValue(record, value);
    }
    return records;
}

std::optional<HiveStamp> SessionLogStamp() {
    return ProcessHive().stamp(kSessionsKey);
}

void DeleteSessionRecords() {
    for (const QString& name : storedNames())
        DeleteRegKey(recordKey(name));
}

} // namespace dvx
