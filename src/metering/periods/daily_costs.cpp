#include "metering/periods/daily_costs.h"

namespace dvx {

QList<Currency> DailyCosts(const QList<PeriodSession>& sessions, QDate first, QDate end) {
    const qint64 days = first.daysTo(end);
    QList<Currency> costs(days > 0 ? days : 0);
    for (const PeriodSession& session : sessions) {
        const qint64 day = first.daysTo(dateOf(session.start));
        if (day >= 0 && day < costs.size())
            costs[day] += session.cost;
    }
    return costs;
}

} // namespace dvx
