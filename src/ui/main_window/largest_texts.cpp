#include "ui/main_window/largest_texts.h"

#include "metering/date_time.h"
#include "metering/date_time_text.h"
#include "metering/money_text.h"

#include <QDate>
#include <QTime>

namespace dvx {

namespace {

// Times whose every digit is wide, before and after noon.
const QTime kSampleTimes[] = {QTime(10, 58, 58), QTime(22, 58, 58), QTime(8, 8, 8),
                              QTime(20, 8, 8)};

} // namespace

QStringList LargestMoneyTexts(const RegionalSettings& rs) {
    return {MoneyText(Currency::fromRaw(999999900), rs),
            MoneyText(Currency::fromRaw(888888800), rs)};
}

QStringList LargestRateTexts(const RegionalSettings& rs) {
    return {RateText(Currency::fromRaw(999990), rs), RateText(Currency::fromRaw(888880), rs)};
}

QStringList LargestDurationTexts() {
    return {DurationText(999 * 60 + 59), DurationText(888 * 60 + 58)};
}

// Each month (on the 28th) and each weekday (the 22nd to the 28th of December), before and after
// noon: every name a date can show, with the widest digits.
QStringList DateTimeSamples(const RegionalSettings& rs) {
    QList<QDate> dates;
    for (int month = 1; month <= 12; ++month)
        dates.append(QDate(2026, month, 28));
    for (int day = 22; day < 28; ++day)
        dates.append(QDate(2026, 12, day));
    QStringList texts;
    for (const QDate& day : dates) {
        for (const QTime& time : {QTime(10, 58, 58), QTime(22, 58, 58)})
            texts.append(DateTimeText(encodeDate(day) + encodeTime(time), rs));
    }
    return texts;
}

QStringList TimeOfDaySamples(const RegionalSettings& rs) {
    QStringList texts;
    for (const QTime& time : kSampleTimes)
        texts.append(TimeText(encodeTime(time), rs));
    return texts;
}

} // namespace dvx
