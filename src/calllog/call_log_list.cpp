// The session list, fed from the hive: a new record's row is added to a list that showed the
// hive as it was, and the list is read again when the hive changed otherwise.
#include "calllog/call_log.h"

#include "metering/conversion_error.h"
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "metering/session_list_model.h"
#include "store/sessionlog/record_names.h"
#include "store/sessionlog/session_log_store.h"

#include <QScopeGuard>

namespace dvx {

namespace {

QString NameOf(const QString& recordKey) {
    return recordKey.section(QLatin1Char('\\'), -1);
}

// Whether the hive is as `before` left it but for this program's own writes: the same
// connection, no commit of another.
bool OnlyOwnWritesSince(const ListedStore& before, const std::optional<HiveStamp>& now) {
    return now && now->connection == before.stamp.connection &&
           now->othersCommits == before.stamp.othersCommits;
}

} // namespace

bool CallLog::listShowsStore() const {
    return currentListed().has_value();
}

std::optional<ListedStore> CallLog::currentListed() const {
    if (!listed_ || listed_->listGeneration != list_.generation() ||
        store_.SessionLogStamp() != listed_->stamp)
        return std::nullopt;
    return listed_;
}

void CallLog::fillList() {
    if (const std::optional<ListedStore> listed = currentListed()) {
        listedSeconds_ = listed->seconds;
        listedCharges_ = listed->charges;
        return;
    }
    readList();
}

void CallLog::readList() {
    listed_.reset();
    const std::optional<HiveStamp> before = store_.SessionLogStamp();
    ListedSessions rows;
    std::int32_t seconds = 0;
    Currency charges;
    {
        const auto showRows = qScopeGuard([this, &rows] { list_.setSessions(std::move(rows)); });
        const QList<SessionRecord> records = store_.ReadSessionRecords();
        rows.reserve(records.size());
        for (const SessionRecord& record : records) {
            StoredSession row{record.sessionStart, record.description, {}, {}};
            // A row that stops at its duration or cost is listed as far as it came.
            const auto listRow = qScopeGuard([&rows, &row] { rows.append(std::move(row)); });
            seconds = AddSeconds(seconds, record.callTime);
            row.seconds = record.callTime;
            charges += ParseMoneyText(record.callCharges, regional_);
            row.cost = record.callCharges;
        }
    }
    listedSeconds_ = seconds;
    listedCharges_ = charges;
    if (!before)
        return;
    QStringList names = store_.SessionRecordNames();
    if (store_.SessionLogStamp() == before && names.size() == list_.rowCount())
        listed_ = ListedStore{*before, list_.generation(), std::move(names), seconds, charges};
}

// The record's row goes after the last when its name comes after every listed one; else the list
// is read again when it is next filled.
void CallLog::listRecord(const std::optional<ListedStore>& before, const QString& key,
                         const SessionRecord& record) {
    listed_.reset();
    const std::optional<HiveStamp> now = store_.SessionLogStamp();
    const QString name = NameOf(key);
    if (!before || !OnlyOwnWritesSince(*before, now) ||
        (!before->names.isEmpty() && !RecordNameBefore(before->names.last(), name)))
        return;
    ListedStore after = *before;
    try {
        after.seconds = AddSeconds(after.seconds, record.callTime);
        after.charges += ParseMoneyText(record.callCharges, regional_);
    } catch (const Error&) {
        return; // read again, which tells why
    }
    list_.appendSession(StoredSession{record.sessionStart, record.description, record.callTime,
                                      record.callCharges});
    after.stamp = *now;
    after.listGeneration = list_.generation();
    after.names.append(name);
    listed_ = std::move(after);
}

void CallLog::listDescription(const std::optional<ListedStore>& before, const QString& key,
                              const QString& description) {
    listed_.reset();
    const std::optional<HiveStamp> now = store_.SessionLogStamp();
    const qsizetype row = before ? before->names.indexOf(NameOf(key)) : -1;
    if (row < 0 || !OnlyOwnWritesSince(*before, now))
        return;
    const auto* stored = std::get_if<StoredSession>(&list_.sessions().at(row));
    if (stored == nullptr)
        return;
    StoredSession described = *stored;
    described.description = description;
    list_.replaceSession(int(row), std::move(described));
    ListedStore after = *before;
    after.stamp = *now;
    after.listGeneration = list_.generation();
    listed_ = std::move(after);
}

} // namespace dvx
