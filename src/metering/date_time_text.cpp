#include "metering/date_time_text.h"

#include "metering/conversion_error.h"
#include "metering/plain_date_time.h"
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
    if (time != QTime(0, 0)) {
        text += QLatin1Char(' ');
        appendTimePattern(text, rs.longTimeFormat, time, rs);
    }
    return text;
}

std::optional<DateTime> ReadDateTimeText(QStringView text, const RegionalSettings& rs) {
    QStringView rest;
    const auto date = parseDatePrefix(rs.shortDateFormat, text.trimmed(), rs, rest);
    if (!date)
        return std::nullopt;
    rest = rest.trimmed();
    if (rest.isEmpty())
        return encodeDate(*date);
    const auto time = readTime(rest, rs);
    if (!time)
        return std::nullopt;
    return encodeDate(*date) + encodeTime(*time);
}

DateTime ParseDateTimeText(const QString& text, const RegionalSettings& rs) {
    if (const auto plain = ReadPlainDateTime(text, rs))
        return *plain;
    if (const auto read = ReadDateTimeText(text, rs))
        return *read;
    throw invalidDateTime(text);
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
