#include "store/settings/last_reset_date.h"

#include "metering/date_time_text.h"
#include "store/registry/regutils.h"
#include "store/settings/store_keys.h"

namespace dvx {

namespace {

const QString kLastResetDate = QStringLiteral("LastResetDate");

} // namespace

void ReadLastResetDate(QString& date, DateTime now, const RegionalSettings& regional) {
    ReadRegString(kProductKey, kLastResetDate, date, true);
    if (date.isEmpty()) {
        date = DateTimeText(now, regional);
        WriteLastResetDate(date);
    }
}

void WriteLastResetDate(const QString& date) {
    WriteRegString(kProductKey, kLastResetDate, date);
}

QString TotalsSinceText(const QString& date) {
    return QStringLiteral("(Totals Since ") + date + QLatin1Char(')');
}

} // namespace dvx
