#include "metering/date_time.h"

#include <chrono>
#include <cmath>

namespace dvx {

namespace {

constexpr qint64 kMillisecondsPerDay = 86400000;

// The Julian day of 1899-12-30, day 0.
constexpr qint64 kEpochJulianDay = 2415019;
// The days from 1899-12-30 to 1970-01-01, where the calendar of the standard library counts from.
constexpr int kDaysBefore1970 = 25569;

// Splits a moment into whole days and the milliseconds of its day, rounding to the millisecond.
void split(DateTime moment, qint64& days, qint64& milliseconds) {
    const double wholeDays = std::floor(moment);
    days = static_cast<qint64>(wholeDays);
    milliseconds = std::llround((moment - wholeDays) * kMillisecondsPerDay);
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds -= kMillisecondsPerDay;
        ++days;
    }
}

} // namespace

DateTime encodeDate(const QDate& date) {
    return static_cast<double>(date.toJulianDay() - kEpochJulianDay);
}

std::optional<DateTime> encodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok())
        return std::nullopt;
    return static_cast<double>(std::chrono::sys_days(date).time_since_epoch().count() +
                               kDaysBefore1970);
}

DateTime encodeTime(int hour, int minute, int second, int millisecond) {
    const qint64 ms = ((hour * 60LL + minute) * 60LL + second) * 1000LL + millisecond;
    return static_cast<double>(ms) / kMillisecondsPerDay;
}

DateTime encodeTime(const QTime& time) {
    return encodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

DateTime encodeDateTime(const QDateTime& local) {
    return encodeDate(local.date()) + encodeTime(local.time());
}

QDate dateOf(DateTime moment) {
    qint64 days = 0;
    qint64 ms = 0;
    split(moment, days, ms);
    return QDate::fromJulianDay(kEpochJulianDay + days);
}

QTime timeOf(DateTime moment) {
    qint64 days = 0;
    qint64 ms = 0;
    split(moment, days, ms);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

DateTime timeOfDay(DateTime moment) {
    return encodeTime(timeOf(moment));
}

int weekdayOf(DateTime moment) {
    // Qt numbers Monday = 1 .. Sunday = 7.
    return dateOf(moment).dayOfWeek() % 7 + 1;
}

} // namespace dvx
