// The session log: recording a finished session, the session list and its totals, the reset.
#include "ui/main_window/frm_main.h"

#include "metering/conversion_error.h"
#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "metering/session_list_model.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/sessionlog/pending_sessions.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/last_reset_date.h"
#include "store/settings/program_settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

namespace dvx {

// The store side of a session's end: the totals grow and show, the totals and the record are
// written in one change of the store, then the record gets its description and the session
// shows in the list (added to it when the list showed the store as it was). The description box may
// be open while the record already holds everything else. A session the store cannot take now waits
// and is written at a later tick.
void TfrmMain::RecordSession(const FinishedSession& session) {
    const std::optional<ListedStore> listed = currentListedStore();
    meter_.addToTotals(session);
    showText(edtTotalCallTime, DurationText(meter_.totalSeconds()));
    showText(edtTotalCost, MoneyText(meter_.totalCharges(), regional()));
    const std::uint64_t ticket =
        pendingSessions_.add({.callTime = session.seconds,
                              .sessionStart = DateTimeText(session.start, regional()),
                              .sessionStop = DateTimeText(session.stop, regional()),
                              .callCharges = MoneyText(session.charge, regional()),
                              .connectionName = session.connectionName,
                              .number = session.number,
                              .description = {}},
                             meter_.totalSeconds(), meter_.totalCharges());
    savePendingSessions();
    pendingSessions_.describe(ticket, sessionDescription(session));
    savePendingSessions();
    listRecordedSession(listed);
}

// A manual session proposes its connection name, a detected one the default description; the
// user may be asked, and cancelling keeps the proposal.
QString TfrmMain::sessionDescription(const FinishedSession& session) {
    const QString proposed =
        session.isManual() ? session.connectionName : settings_.DefaultDescription;
    if (!settings_.PromptForDescription)
        return proposed;
    return dialogs()
        .inputBox(QStringLiteral("Dorvantix - Session Close"),
                  QStringLiteral("Please enter a description for this session"), proposed)
        .value_or(proposed);
}

// One row per stored record, in the order the records were made, and the sums of the listed
// records in the totals boxes. A record whose charge cannot be read stops the filling there:
// its row shows without its cost. A list that shows the store as it is now stays as it is.
void TfrmMain::FillSessionList() {
    if (const std::optional<ListedStore> listed = currentListedStore()) {
        showListTotals(listed->seconds, listed->charges);
        return;
    }
    fillFromStore();
}

// A window already opened has its list. An error is not told here: the list is read again when
// the window shows it, which tells it then, as it always did.
void TfrmMain::fillSessionListAhead() {
    if (writes_.built())
        return;
    try {
        FillSessionList();
    } catch (const std::exception&) {
        listedStore_.reset();
    }
}

void TfrmMain::fillFromStore() {
    listedStore_.reset();
    const std::optional<HiveStamp> before = services_.sessionLog.SessionLogStamp();
    ListedSessions rows;
    std::int32_t seconds = 0;
    Currency charges;
    {
        const auto showRows =
            qScopeGuard([this, &rows] { sessionList_->setSessions(std::move(rows)); });
        const QList<SessionRecord> records = services_.sessionLog.ReadSessionRecords();
        rows.reserve(records.size());
        for (const SessionRecord& record : records) {
            StoredSession row{record.sessionStart, record.description, {}, {}};
            // A row that stops at its duration or cost is listed as far as it came.
            const auto listRow = qScopeGuard([&rows, &row] { rows.append(std::move(row)); });
            seconds = AddSeconds(seconds, record.callTime);
            row.seconds = record.callTime;
            charges += ParseMoneyText(record.callCharges, regional());
            row.cost = record.callCharges;
        }
    }
    if (before) {
        QStringList names = services_.sessionLog.SessionRecordNames();
        if (services_.sessionLog.SessionLogStamp() == before &&
            names.size() == sessionList_->rowCount())
            listedStore_ = ListedStore{*before, sessionList_->generation(), std::move(names),
                                       seconds, charges};
    }
    showListTotals(seconds, charges);
}

void TfrmMain::showListTotals(std::int32_t seconds, Currency charges) {
    showText(edtTotalCallTime, DurationText(seconds));
    showText(edtTotalCost, MoneyText(charges, regional()));
    writes_.write(lblLogname, [text = QStringLiteral("Current Log - From ") +
                                      meter_.lastResetDate()](QLabel& label) {
        label.setText(text);
        label.adjustSize();
    });
}

std::optional<ListedStore> TfrmMain::currentListedStore() const {
    if (!listedStore_ || listedStore_->listGeneration != sessionList_->generation() ||
        services_.sessionLog.SessionLogStamp() != listedStore_->stamp)
        return std::nullopt;
    return listedStore_;
}

void TfrmMain::listRecordedSession(const std::optional<ListedStore>& listed) {
    // Only this process's own writes may lie between: the same connection, no other's commit.
    const std::optional<HiveStamp> written = services_.sessionLog.SessionLogStamp();
    if (!listed || !pendingSessions_.empty() || !written ||
        written->connection != listed->stamp.connection ||
        written->othersCommits != listed->stamp.othersCommits ||
        sessionList_->generation() != listed->listGeneration)
        return FillSessionList();
    QStringList names = services_.sessionLog.SessionRecordNames();
    if (names.size() != listed->names.size() + 1 ||
        !std::equal(listed->names.begin(), listed->names.end(), names.begin()))
        return FillSessionList();
    const SessionRecord record = services_.sessionLog.ReadSessionRecord(names.last());
    std::int32_t seconds = listed->seconds;
    Currency charges = listed->charges;
    try {
        seconds = AddSeconds(seconds, record.callTime);
        charges += ParseMoneyText(record.callCharges, regional());
    } catch (const Error&) {
        return FillSessionList(); // lists the rows up to the failing one and tells why
    }
    if (services_.sessionLog.SessionLogStamp() != written)
        return FillSessionList();
    sessionList_->appendSession(StoredSession{record.sessionStart, record.description,
                                              record.callTime, record.callCharges});
    listedStore_ =
        ListedStore{*written, sessionList_->generation(), std::move(names), seconds, charges};
    showListTotals(seconds, charges);
}

// Asks first; on Yes the totals, the reset date and every record start again.
void TfrmMain::BtnResetTotalsClick() {
    if (!dialogs().confirm(QStringLiteral("Reset current log (this is irreversable)?")))
        return;
    const QString now = DateTimeText(clock().now(), regional());
    meter_.resetTotals(now);
    showText(edtTotalCallTime, DurationText(0));
    showText(edtTotalCost, MoneyText(Currency(), regional()));
    services_.sessionLog.WriteLogTotals(0, Currency(), regional());
    services_.settingsStore.WriteLastResetDate(now);
    showText(lblLastResetDate, TotalsSinceText(now));
    services_.sessionLog.DeleteSessionRecords();
    FillSessionList();
}

void TfrmMain::tabStatisticsShow() {
    FillSessionList();
}

} // namespace dvx
