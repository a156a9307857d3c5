// Recording the calls, and the calls that wait for the hive.
#include "calllog/call_log.h"

#include "metering/date_time_text.h"
#include "metering/meter/session_meter.h"
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "metering/tariff.h"
#include "store/sessionlog/session_log_store.h"

#include <QThread>
#include <algorithm>
#include <limits>

namespace dvx {

namespace {

SessionRecord RecordOf(const WaitingCall& call, const RegionalSettings& regional) {
    const FinishedSession& session = call.session;
    return {.callTime = session.seconds,
            .sessionStart = DateTimeText(session.start, regional),
            .sessionStop = DateTimeText(session.stop, regional),
            .callCharges = MoneyText(session.charge, regional),
            .connectionName = session.connectionName,
            .number = session.number,
            .description = call.description};
}

} // namespace

CallLog::CallLog(SessionMeter& meter, SessionLogStore& store, SessionListModel& list,
                 const RegionalSettings& regional, WaitingCallsFile waitingFile)
    : meter_(meter), store_(store), list_(list), regional_(regional),
      waitingFile_(std::move(waitingFile)) {}

void CallLog::start() {
    waiting_ = waitingFile_.read();
    fileHolds_ = !waiting_.empty();
    fromFile_ = waiting_.calls.size();
    tickets_ = QList<Ticket>(waiting_.calls.size(), 0);
    showTotals();
}

void CallLog::setStoredTotals(std::int32_t seconds, Currency charges) {
    storedSeconds_ = seconds;
    storedCharges_ = charges;
    showTotals();
}

CallLog::Ticket CallLog::record(const FinishedSession& session, const QString& description) {
    AddSeconds(meter_.totalSeconds(), session.seconds);
    // Only the latest call is asked for its description: the question of an earlier one is over.
    recorded_.clear();
    const Ticket ticket = nextTicket_++;
    waiting_.calls.append({session, description, {}});
    tickets_.append(ticket);
    fileDirty_ = true;
    // A call that ends while others wait takes its place behind them, also between retries.
    if (waiting_.calls.size() == 1 || ticksToNextTry_ == 0)
        land();
    sync();
    showTotals();
    return ticket;
}

void CallLog::describe(Ticket ticket, const QString& description) {
    if (const qsizetype at = tickets_.indexOf(ticket); at >= 0) {
        WaitingCall& call = waiting_.calls[at];
        if (call.description != description) {
            call.description = description;
            fileDirty_ = true;
            sync();
        }
        return;
    }
    const std::optional<Recorded> recorded = recorded_.take(ticket);
    if (!recorded || recorded->description == description)
        return;
    waiting_.calls.append({{}, description, recorded->key});
    tickets_.append(0);
    fileDirty_ = true;
    if (waiting_.calls.size() == 1)
        land();
    sync();
}

CallLogReport CallLog::tick() {
    CallLogReport report;
    if (!storeUsable_) {
        if (--ticksToNextTry_ > 0)
            return news();
        ticksToNextTry_ = kRetryTicks;
        const HiveHealth health = store_.health();
        if (!health.usable() && health.state != HiveHealth::State::readOnly)
            return news();
        storeUsable_ = true;
        ticksToNextTry_ = 0;
        report = news();
        report.storeUsableAgain = true;
        return report;
    }
    if (ticksToNextTry_ > 0)
        --ticksToNextTry_;
    if (!waiting_.calls.isEmpty() && ticksToNextTry_ == 0) {
        land();
        sync();
        showTotals();
    }
    return news();
}

CallLogReport CallLog::news() {
    CallLogReport report;
    report.unsaved = unsaved();
    report.newProblem = std::exchange(untold_, std::nullopt);
    return report;
}

qsizetype CallLog::unsaved() const {
    return std::count_if(waiting_.calls.begin(), waiting_.calls.end(),
                         [](const WaitingCall& call) { return !call.recorded(); });
}

qsizetype CallLog::saveBeforeExit(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (storeUsable_ && !land() && lastFailureBusy_ &&
           std::chrono::steady_clock::now() < deadline)
        QThread::msleep(50);
    sync();
    showTotals();
    return unsaved();
}

void CallLog::storeUnusable() {
    storeUsable_ = false;
    ticksToNextTry_ = kRetryTicks;
    told_ = true;
}

void CallLog::priceWaitingCalls(const Tariff& tariff) {
    for (WaitingCall& call : waiting_.calls) {
        if (call.recorded() || call.session.priced)
            continue;
        call.session.charge = CallChargeAt(call.session.start, call.session.seconds, tariff);
        call.session.priced = true;
        fileDirty_ = true;
    }
    sync();
    showTotals();
}

StoreResult CallLog::reset(const QString& resetDate) {
    StoreResult result = store_.ResetLog(resetDate, regional_);
    if (!result.ok())
        return result;
    storedSeconds_ = 0;
    storedCharges_ = Currency();
    waiting_.calls.clear();
    tickets_.clear();
    recorded_.clear();
    fromFile_ = 0;
    fileDirty_ = true;
    told_ = false;
    untold_.reset();
    listed_.reset();
    sync();
    showTotals();
    return result;
}

bool CallLog::land() {
    while (!waiting_.calls.isEmpty()) {
        const WaitingCall& first = waiting_.calls.first();
        if (!storeUsable_ || (!first.recorded() && !first.session.priced))
            return false;
        const StoreResult result = landFirst();
        if (!result.ok()) {
            failed(result);
            return false;
        }
        dropFirst();
    }
    told_ = false;
    lastFailureBusy_ = false;
    return true;
}

StoreResult CallLog::landFirst() {
    return waiting_.calls.first().recorded() ? describeFirst() : recordFirst();
}

// A call that came back from the file may have landed just before the program ended, before the
// file learnt it: it is never recorded twice.
StoreResult CallLog::recordFirst() {
    const WaitingCall& call = waiting_.calls.first();
    const SessionRecord record = RecordOf(call, regional_);
    if (fromFile_ > 0 && store_.HasRecordOf(record.sessionStart, record.sessionStop))
        return StoreResult::success();
    const std::int64_t seconds = std::int64_t(storedSeconds_) + call.session.seconds;
    const std::int32_t totalSeconds =
        std::int32_t(std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max()));
    const Currency totalCharges = storedCharges_ + call.session.charge;
    std::optional<ListedStore> before = takeListed();
    if (before)
        store_.NoteRecordCount(before->names.size(), before->stamp);
    StoreValue<QString> written =
        store_.RecordWholeSession(record, totalSeconds, totalCharges, regional_);
    if (!written.result.ok()) {
        listed_ = std::move(before);
        return written.result;
    }
    storedSeconds_ = totalSeconds;
    storedCharges_ = totalCharges;
    if (const Ticket ticket = tickets_.first(); ticket != 0)
        recorded_.insert(ticket, {written.value, call.description});
    listRecord(std::move(before), written.value, record);
    return written.result;
}

StoreResult CallLog::describeFirst() {
    const WaitingCall& call = waiting_.calls.first();
    std::optional<ListedStore> before = takeListed();
    StoreResult result = store_.WriteSessionDescription(call.recordKey, call.description);
    if (result.ok())
        listDescription(std::move(before), call.recordKey, call.description);
    else
        listed_ = std::move(before);
    return result;
}

// Another program holding the hive is tried again at the next tick and is no news; anything
// else is tried every few ticks and told once, until every call has landed.
void CallLog::failed(const StoreResult& result) {
    lastFailureBusy_ = result.busy();
    ticksToNextTry_ = result.busy() ? 0 : kRetryTicks;
    if (result.busy() || told_)
        return;
    told_ = true;
    untold_ = QStringLiteral("A finished call could not be saved in %1 (%2). Dorvantix keeps it "
                             "and saves it as soon as the file can be written.")
                  .arg(store_.file(), result.reason());
}

void CallLog::dropFirst() {
    waiting_.calls.removeFirst();
    tickets_.removeFirst();
    fromFile_ = std::max<qsizetype>(fromFile_ - 1, 0);
    fileDirty_ = true;
}

// The file follows the calls that wait; a file that cannot be written is told as the hive's
// problems are, and the calls still wait in memory.
void CallLog::sync() {
    if (!fileDirty_ || (waiting_.empty() && !fileHolds_))
        return;
    const StoreResult written = waitingFile_.write(waiting_);
    if (!written.ok()) {
        if (!told_)
            untold_ = QStringLiteral("Calls waiting to be saved could not be kept in %1.")
                          .arg(written.reason());
        return;
    }
    fileDirty_ = false;
    fileHolds_ = !waiting_.empty();
}

void CallLog::showTotals() {
    std::int64_t seconds = storedSeconds_;
    Currency charges = storedCharges_;
    for (const WaitingCall& call : waiting_.calls) {
        if (call.recorded())
            continue;
        seconds += call.session.seconds;
        charges += call.session.charge;
    }
    meter_.setTotals(
        std::int32_t(std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max())),
        charges);
}

} // namespace dvx
