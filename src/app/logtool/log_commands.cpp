#include "app/logtool/log_commands.h"

#include "metering/periods/billing_period.h"
#include "store/history/session_choice.h"
#include "store/history/session_history.h"
#include "store/settings/period_start_day.h"

namespace dvx {

namespace {

constexpr int kReadAll = 0;
constexpr int kLeftOut = 1;
constexpr int kUnusable = 2;

} // namespace

LogCommandResult RunLogCommand(const LogRequest& request, Hive& hive,
                               const RegionalSettings& regional, const QDateTime& now) {
    LogCommandResult result;
    const HiveHealth health = hive.health();
    if (health.state == HiveHealth::State::noFileYet) {
        result.errors = QStringLiteral("there is no hive %1\n").arg(hive.file());
        result.status = kUnusable;
        return result;
    }
    if (health.state == HiveHealth::State::unusable) {
        result.errors = health.reason + QLatin1Char('\n');
        result.status = kUnusable;
        return result;
    }
    const std::optional<SessionHistory> history = ReadSessionHistory(hive, regional);
    if (!history) {
        result.errors =
            QStringLiteral("cannot read the hive %1: %2\n").arg(hive.file(), hive.lastError());
        result.status = kUnusable;
        return result;
    }
    for (const UnreadRecord& record : history->unread)
        result.errors += QStringLiteral("%1: %2; left out\n").arg(record.key, record.reason);
    if (request.what == LogRequest::What::sessions) {
        result.output =
            SessionsText(SessionsStartedBetween(history->sessions, request.from, request.to),
                         request.format, regional);
    } else {
        const int startDay = request.startDay.value_or(ReadPeriodStartDay(hive));
        result.output = PeriodsText(BillingPeriods(history->forPeriods(), startDay, now),
                                    request.format, regional);
    }
    result.status = history->unread.isEmpty() ? kReadAll : kLeftOut;
    return result;
}

} // namespace dvx
