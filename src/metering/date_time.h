#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <optional>

namespace dvx {

// A moment on the local wall clock: days since 1899-12-30, the time of day as the fraction.
// A time of day alone is a DateTime holding only the fraction.
using DateTime = double;

inline constexpr double kSecondsPerDay = 86400.0;

DateTime encodeDate(const QDate& date);
// The same for a date given by its numbers, without making a QDate; nothing when they name no
// date of the years 1 to 9999.
std::optional<DateTime> encodeDate(int year, int month, int day);
// The fraction of a day for a time, from whole milliseconds so equal times compare equal.
DateTime encodeTime(int hour, int minute, int second, int millisecond = 0);
DateTime encodeTime(const QTime& time);
DateTime encodeDateTime(const QDateTime& local);

// The calendar date and the time of day (to the nearest millisecond) of a moment.
QDate dateOf(DateTime moment);
QTime timeOf(DateTime moment);
// The time of day of a moment as a fraction of a day, on the same scale as encodeTime.
DateTime timeOfDay(DateTime moment);

// Weekday numbered Sunday = 1, Monday = 2, ..., Saturday = 7.
int weekdayOf(DateTime moment);

} // namespace dvx
