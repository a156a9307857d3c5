#include "store/history/plain_forms.h"

#include "metering/rounding.h"

#include <cmath>

namespace dvx {

namespace {

void AppendDigits(QString& text, int value, int width) {
    text.append(QString::number(value).rightJustified(width, QLatin1Char('0')));
}

} // namespace

QString IsoDateText(QDate day) {
    QString text;
    text.reserve(10);
    AppendDigits(text, day.year(), 4);
    text.append(QLatin1Char('-'));
    AppendDigits(text, day.month(), 2);
    text.append(QLatin1Char('-'));
    AppendDigits(text, day.day(), 2);
    return text;
}

QString IsoDateTimeText(DateTime moment) {
    // Whole seconds, as the stored texts hold them.
    const double days = std::floor(moment);
    qint64 seconds = std::llround((moment - days) * kSecondsPerDay);
    qint64 day = static_cast<qint64>(days);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    QString text = IsoDateText(dateOf(static_cast<DateTime>(day)));
    text.append(QLatin1Char('T'));
    AppendDigits(text, static_cast<int>(seconds / 3600), 2);
    text.append(QLatin1Char(':'));
    AppendDigits(text, static_cast<int>(seconds / 60 % 60), 2);
    text.append(QLatin1Char(':'));
    AppendDigits(text, static_cast<int>(seconds % 60), 2);
    return text;
}

QString PlainAmountText(Currency amount) {
    const std::int64_t cents = divideHalfEven(amount.raw(), Currency::kScale / 100);
    const std::uint64_t magnitude = magnitudeOf(cents);
    QString text = cents < 0 ? QStringLiteral("-") : QString();
    text.append(QString::number(magnitude / 100));
    text.append(QLatin1Char('.'));
    text.append(QString::number(magnitude % 100).rightJustified(2, QLatin1Char('0')));
    return text;
}

} // namespace dvx
