// The session list, fed from the hive: a new record's row is added to a list that showed the
// hive as it was, and the list is read again when the hive changed otherwise, on the reader's
// thread when there is one.
#include "calllog/call_log.h"

#include "metering/conversion_error.h"
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "metering/session_list_model.h"
#include "store/sessionlog/record_names.h"
#include "store/sessionlog/session_log_store.h"

#include <utility>

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
    return listedIsCurrent();
}

bool CallLog::listedIsCurrent() const {
    return listed_ && listed_->listGeneration == list_.generation() &&
           store_.SessionLogStamp() == listed_->stamp;
}

// Moved out rather than copied: a long log's names are many.
std::optional<ListedStore> CallLog::takeListed() {
    std::optional<ListedStore> listed;
    if (listedIsCurrent())
        listed = std::move(listed_);
    listed_.reset();
    return listed;
}

void CallLog::readListAside(std::unique_ptr<SessionListReader> reader, ListFilled filled) {
    reader_ = std::move(reader);
    filled_ = std::move(filled);
}

void CallLog::fillList(ListTelling telling) {
    if (listedIsCurrent()) {
        listedSeconds_ = listed_->seconds;
        listedCharges_ = listed_->charges;
        return;
    }
    if (!reader_) {
        readList();
        return;
    }
    tellReading_ = tellReading_ || telling == ListTelling::tell;
    if (!reader_->reading())
        readListAside();
}

void CallLog::settleList() {
    // A reading that finds the store changed starts another; a store that never rests for one
    // leaves the list as it is.
    constexpr int kReadings = 3;
    for (int reading = 0; reading < kReadings && listReading(); ++reading)
        reader_->finish();
}

void CallLog::readList() {
    const std::optional<HiveStamp> before = store_.SessionLogStamp();
    SessionListReading reading = ReadSessionList(store_, regional_);
    const std::exception_ptr failure = reading.failure;
    const std::optional<HiveStamp> after = store_.SessionLogStamp();
    showReading(std::move(reading), after == before ? before : std::nullopt);
    if (failure)
        std::rethrow_exception(failure);
}

void CallLog::readListAside() {
    readingStamp_ = store_.SessionLogStamp();
    readingGeneration_ = list_.generation();
    reader_->read(
        regional_, [this](SessionListReading reading) { landReading(std::move(reading)); },
        [this](qsizetype count) { landRecordCount(count); });
}

// The number of records comes long before a long list: a call that ends meanwhile names its
// record from it without counting them again, while the store is as when the reading began.
void CallLog::landRecordCount(qsizetype count) {
    if (count >= 0 && readingStamp_)
        store_.NoteRecordCount(count, *readingStamp_);
}

// A reading counts only when the store is as it was when it started: else it starts again. Rows
// the list was given meanwhile, such as a log file's, stay. A reading that does not count is freed
// on the reader's thread, as a long one takes a while.
void CallLog::landReading(SessionListReading reading) {
    if (list_.generation() != readingGeneration_) {
        tellReading_ = false;
        reader_->dispose(std::move(reading.rows));
        return;
    }
    const std::optional<HiveStamp> now = store_.SessionLogStamp();
    if (now != readingStamp_) {
        reader_->dispose(std::move(reading.rows));
        readListAside();
        return;
    }
    const bool tell = std::exchange(tellReading_, false);
    const std::exception_ptr failure = reading.failure;
    showReading(std::move(reading), now);
    if (filled_)
        filled_(failure, tell);
}

// The list shows the rows read; the sums, and what the list is known to show, only come from a
// reading that did not stop, of a store that can tell its state.
void CallLog::showReading(SessionListReading reading, const std::optional<HiveStamp>& stamp) {
    listed_.reset();
    ListedSessions shown = list_.sessions();
    list_.setSessions(std::move(reading.rows));
    if (reader_)
        reader_->dispose(std::move(shown));
    if (reading.failure)
        return;
    listedSeconds_ = reading.seconds;
    listedCharges_ = reading.charges;
    if (stamp && reading.readable)
        listed_ = ListedStore{*stamp, list_.generation(), std::move(reading.names), reading.seconds,
                              reading.charges};
}

// The record's row goes after the last when its name comes after every listed one; else the list
// is read again when it is next filled.
void CallLog::listRecord(std::optional<ListedStore> before, const QString& key,
                         const SessionRecord& record) {
    listed_.reset();
    const std::optional<HiveStamp> now = store_.SessionLogStamp();
    const QString name = NameOf(key);
    if (!before || !OnlyOwnWritesSince(*before, now) ||
        (!before->names.isEmpty() && !RecordNameBefore(before->names.last(), name)))
        return;
    ListedStore& after = *before;
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

void CallLog::listDescription(std::optional<ListedStore> before, const QString& key,
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
    described.setDescription(description);
    list_.replaceSession(int(row), std::move(described));
    ListedStore& after = *before;
    after.stamp = *now;
    after.listGeneration = list_.generation();
    listed_ = std::move(after);
}

} // namespace dvx
