#include "metering/date_time_text.h"

#include "metering/conversion_error.h"
#include "metering/time_pattern.h"

namespace dvx {

namespace {

std::optional<QTime> readTime(QStringView text, const RegionalSettings& rs) {
    for (const QString& pattern :
         {rs.longTimeFormat, QStringLiteral("%H:%M:%S"), QStringLiteral("%H:%M")}) {
        if (auto time = parseTimePattern(pattern, text, rs))
            return time;
    }
    return std::nullopt;
}

} // namespace

QString DateTimeText(DateTime moment, const RegionalSettings& rs) {
    QString text = formatDatePattern(rs.shortDateFormat, dateOf(moment), rs);
    const QTime time = timeOf(moment);
    if (time != QTime(0, 0))
        text += QLatin1Char(' ') + formatTimePattern(rs.longTimeFormat, time, rs);
    return text;
}

DateTime ParseDateTimeText(const QString& text, const RegionalSettings& rs) {
    QStringView rest;
    const auto date = parseDatePrefix(rs.shortDateFormat, QStringView(text).trimmed(), rs, rest);
    if (!date)
        throw invalidDateTime(text);
    rest = rest.trimmed();
    if (rest.isEmpty())
        return encodeDate(*date);
    const auto time = readTime(rest, rs);
    if (!time)
        throw invalidDateTime(text);
    return encodeDate(*date) + encodeTime(*time);
}

QString TimeText(DateTime timeOfDay, const RegionalSettings& rs) {
    return formatTimePattern(rs.longTimeFormat, timeOf(timeOfDay), rs);
}

DateTime ParseTimeText(const QString& text, const RegionalSettings& rs) {
    const auto time = readTime(text, rs);
    if (!time)
        throw invalidTime(text);
    return encodeTime(*time);
}

} // namespace dvx
