#pragma once

#include <QString>

namespace dvx {

// The user's regional formats, read once from the process locale. Every text conversion takes
// one, so tests build it explicitly and never depend on the machine's locale.
struct RegionalSettings {
    QString currencySymbol;
    bool symbolPrecedes = true;          // "£1.00" rather than "1.00£"
    bool symbolSeparatedBySpace = false; // "£ 1.00", "1.00 £"
    // Where the minus sign of a negative amount goes, as the C library numbers it:
    // 0 parentheses around all, 1 before all, 2 after all, 3 before the symbol, 4 after it.
    int negativeSignPosition = 1;
    QString thousandSeparator;
    QString decimalSeparator = QStringLiteral(".");
    // strftime-like patterns; the date always carries a four-digit year.
    QString shortDateFormat = QStringLiteral("%d/%m/%Y");
    QString longTimeFormat = QStringLiteral("%H:%M:%S");
    QString amText = QStringLiteral("AM");
    QString pmText = QStringLiteral("PM");

    // The settings of the process's current C locale (call setlocale(LC_ALL, "") first).
    static RegionalSettings fromProcessLocale();
    // The British form used in examples: "£" before the amount, "," and ".", day/month/year
    // dates and 24-hour times.
    static RegionalSettings british();
};

} // namespace dvx
