#pragma once

#include "metering/calendar_names.h"

#include <QList>
#include <QString>

namespace dvx {

// The user's regional formats, read once from the process locale. Every text conversion takes
// one, so tests build it explicitly and never depend on the machine's locale.
struct RegionalSettings {
    QString currencySymbol;
    bool symbolPrecedes = true;          // "£1.00" rather than "1.00£"
    bool symbolSeparatedBySpace = false; // "£ 1.00", "1.00 £"
    // A negative amount, in the C library's terms: the sign's text; whether the symbol comes
    // first; where the blank goes (0 none, 1 between the value and the symbol, or the symbol and
    // sign when they stand together, 2 between the value and the sign, or between the sign and
    // the symbol when they stand together); and where the sign goes (0 parentheses around all,
    // 1 before all, 2 after all, 3 just before the symbol, 4 just after it).
    QString negativeSign = QStringLiteral("-");
    bool negativeSymbolPrecedes = true;
    int negativeSeparation = 0;
    int negativeSignPosition = 1;
    QString thousandSeparator;
    // Sizes of the digit groups from the decimal separator leftwards; the last size repeats.
    // Empty, or a size of 0 or less, groups no further.
    QList<int> grouping = {3};
    QString decimalSeparator = QStringLiteral(".");
    // Date and time patterns in their plain form (time_pattern.h): a four-digit year, and
    // always seconds.
    QString shortDateFormat = QStringLiteral("%d/%m/%Y");
    QString longTimeFormat = QStringLiteral("%H:%M:%S");
    QString amText = QStringLiteral("AM");
    QString pmText = QStringLiteral("PM");
    CalendarNames names = CalendarNames::english();

    // The settings of the calling thread's locale: the process locale (call
    // setlocale(LC_ALL, "") first), or the one uselocale() switched the thread to.
    static RegionalSettings fromProcessLocale();
    // The British form used in examples: "£" before the amount, "," and ".", day/month/year
    // dates and 24-hour times.
    static RegionalSettings british();
};

} // namespace dvx
