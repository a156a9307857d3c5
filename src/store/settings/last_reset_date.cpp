#include "store/settings/last_reset_date.h"

#include "metering/date_time_text.h"
#include "store/settings/program_settings.h"
#include "store/settings/store_keys.h"

namespace dvx {

namespace {

const QString kLastResetDate = QStringLiteral("LastResetDate");

} // namespace

void ProgramSettings::ReadLastResetDate(QString& date, DateTime now,
                                        const RegionalSettings& regional) const {
    registry_.ReadRegString(kProductKey, kLastResetDate, date, true);
    if (date.isEmpty()) {
        date = DateTimeText(now, regional);
        WriteLastResetDate(date);
    }
}

void ProgramSettings::WriteLastResetDate(const QString& date) const {
    registry_.WriteRegString(kProductKey, kLastResetDate, date);
}

QString TotalsSinceText(const QString& date) {
    return QStringLiteral("(Totals Since ") + date + QLatin1Char(')');
}

} // namespace dvx
