#include "store/sessionlog/session_log_store.h"

#include "store/registry/hive.h"
#include "store/registry/key_path.h"
#include "store/sessionlog/record_names.h"
#include "store/settings/store_keys.h"

#include <utility>

namespace dvx {

namespace {

QString recordKey(const QString& name) {
    return kSessionsKey + QLatin1Char('\\') + name;
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

QStringList SessionLogStore::storedNames() const {
    QStringList names;
    registry_.ListRegSubKeys(kSessionsKey, names);
    return names;
}

// The number of records (`count`), or the next number upward that no record has, as
// FreeRecordName chooses, without reading every record's name.
QString SessionLogStore::freeRecordName(qsizetype count) const {
    qsizetype number = count;
    if (number < 0)
        return FreeRecordName(storedNames());
    while (registry_.hive().keyExists(recordKey(QString::number(number))))
        ++number;
    return QString::number(number);
}

qsizetype SessionLogStore::RecordCount() const {
    Hive& hive = registry_.hive();
    const std::optional<HiveStamp> now = hive.stamp(kSessionsKey);
    if (now && knownCount_ && knownCount_->stamp == *now)
        return knownCount_->count;
    qsizetype count = 0;
    return hive.countSubKeys(kSessionsKey, count) ? count : -1;
}

void SessionLogStore::knowRecordCount(qsizetype count) const {
    const std::optional<HiveStamp> now = registry_.hive().stamp(kSessionsKey);
    if (count >= 0 && now)
        knownCount_ = KnownCount{*now, count};
    else
        knownCount_.reset();
}

void SessionLogStore::NoteRecordCount(qsizetype count, const HiveStamp& at) const {
    knownCount_ = KnownCount{at, count};
}

QStringList SessionLogStore::SessionRecordNames() const {
    return InRecordOrder(storedNames());
}

QString SessionLogStore::WriteSessionRecord(const SessionRecord& record) const {
    return writeRecord(record, RecordCount());
}

QString SessionLogStore::writeRecord(const SessionRecord& record, qsizetype count) const {
    const QString key = recordKey(freeRecordName(count));
    registry_.EnsureRegKey(key);
    registry_.WriteRegInteger(key, QStringLiteral("CallTime"), record.callTime);
    registry_.WriteRegString(key, QStringLiteral("SessionStart"), record.sessionStart);
    registry_.WriteRegString(key, QStringLiteral("SessionStop"), record.sessionStop);
    registry_.WriteRegString(key, QStringLiteral("CallCharges"), record.callCharges);
    registry_.WriteRegString(key, QStringLiteral("ConnectionName"), record.connectionName);
    registry_.WriteRegString(key, QStringLiteral("Number"), record.number);
    return key;
}

StoreResult SessionLogStore::WriteSessionDescription(const QString& recordKey,
                                                     const QString& description) const {
    if (recordKey.isEmpty())
        return StoreResult::success();
    Hive& hive = registry_.hive();
    const std::optional<HiveStamp> before = hive.stamp(kSessionsKey);
    const bool written = hive.writeValueIfKeyExists(recordKey, QStringLiteral("Description"),
                                                    RegValue::ofString(description));
    // A description changes no count.
    if (written && knownCount_ && before && knownCount_->stamp == *before)
        knowRecordCount(knownCount_->count);
    return StoreResult::of(hive, !written && hive.keyExists(recordKey));
}

bool SessionLogStore::HasRecordOf(const QString& startText, const QString& stopText) const {
    bool found = false;
    VisitSessionRecords([&](const QString&, const SessionRecord& record) {
        found = found || (record.sessionStart == startText && record.sessionStop == stopText);
    });
    return found;
}

SessionRecord SessionLogStore::ReadSessionRecord(const QString& name) const {
    const QString key = recordKey(name);
    SessionRecord record;
    registry_.ReadRegString(key, QStringLiteral("SessionStart"), record.sessionStart, false);
    registry_.ReadRegString(key, QStringLiteral("SessionStop"), record.sessionStop, false);
    registry_.ReadRegString(key, QStringLiteral("Description"), record.description, false);
    registry_.ReadRegInteger(key, QStringLiteral("CallTime"), record.callTime, false);
    registry_.ReadRegString(key, QStringLiteral("CallCharges"), record.callCharges, false);
    registry_.ReadRegString(key, QStringLiteral("ConnectionName"), record.connectionName, false);
    registry_.ReadRegString(key, QStringLiteral("Number"), record.number, false);
    return record;
}

bool SessionLogStore::VisitSessionRecords(const RecordVisitor& visit) const {
    Hive& hive = registry_.hive();
    const bool read = hive.visitSubKeyValues(kSessionsKey, [&visit](const SubKeyValues& key) {
        SessionRecord record;
        for (const NamedRegValue& value : key.values)
            takeValue(record, value);
        visit(key.name, record);
    });
    if (read)
        return true;
    // A log without a Sessions key yet has no records.
    RegValue sessions;
    return hive.readValue(kSessionsKey, QString(), sessions) == Hive::Lookup::noKey;
}

QList<SessionRecord> SessionLogStore::ReadSessionRecords() const {
    QStringList names;
    QList<SessionRecord> stored;
    if (!VisitSessionRecords([&](const QString& name, const SessionRecord& record) {
            names.append(name);
            stored.append(record);
        }))
        return {};
    QList<SessionRecord> records;
    records.reserve(stored.size());
    for (const qsizetype at : RecordOrder(names))
        records.append(std::move(stored[at]));
    return records;
}

std::optional<HiveStamp> SessionLogStore::SessionLogStamp() const {
    return registry_.hive().stamp(kSessionsKey);
}

void SessionLogStore::DeleteSessionRecords() const {
    for (const QString& name : storedNames())
        registry_.DeleteRegKey(recordKey(name));
}

const QString& SessionLogStore::file() const {
    return registry_.hive().file();
}

HiveHealth SessionLogStore::health() const {
    return registry_.hive().health();
}

} // namespace dvx
