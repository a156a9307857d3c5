#include "metering/currency_format.h"

#include <algorithm>

namespace dvx {

namespace {

QString positiveForm(const QString& number, const RegionalSettings& rs) {
    const QString space = rs.symbolSeparatedBySpace ? QStringLiteral(" ") : QString();
    return rs.symbolPrecedes ? rs.currencySymbol + space + number
                             : number + space + rs.currencySymbol;
}

// The C library's rules for a negative amount: where the sign goes, whether the symbol comes
// first, and which of the three blanks (value and symbol, value and sign, symbol and sign) there
// is.
QString negativeForm(const QString& number, const RegionalSettings& rs) {
    const QString& symbol = rs.currencySymbol;
    const QString& sign = rs.negativeSign;
    const int posn =
        rs.negativeSignPosition >= 0 && rs.negativeSignPosition <= 4 ? rs.negativeSignPosition : 1;
    const bool precedes = rs.negativeSymbolPrecedes;
    if (posn == 0) {
        const QString space = rs.negativeSeparation == 1 ? QStringLiteral(" ") : QString();
        return QLatin1Char('(') + (precedes ? symbol + space + number : number + space + symbol) +
               QLatin1Char(')');
    }
    // The sign stands next to the symbol with 3 and 4, and with 1 or 2 when it is on the
    // symbol's side of the value.
    const bool together = posn >= 3 || (posn == 1) == precedes;
    const QString blank = QStringLiteral(" ");
    if (together) {
        const QString pairSpace = rs.negativeSeparation == 2 ? blank : QString();
        const bool signBeforeSymbol = posn == 3 || (posn == 1 && precedes);
        const QString pair =
            signBeforeSymbol ? sign + pairSpace + symbol : symbol + pairSpace + sign;
        const QString space = rs.negativeSeparation == 1 ? blank : QString();
        return precedes ? pair + space + number : number + space + pair;
    }
    // Sign and symbol on opposite sides of the value.
    const QString symbolSpace = rs.negativeSeparation == 1 ? blank : QString();
    const QString signSpace = rs.negativeSeparation == 2 ? blank : QString();
    const QString withSymbol =
        precedes ? symbol + symbolSpace + number : number + symbolSpace + symbol;
    return posn == 1 ? sign + signSpace + withSymbol : withSymbol + signSpace + sign;
}

} // namespace

// Puts the separator between the digit groups, counted from the right.
QString GroupDigits(QString digits, const RegionalSettings& rs) {
    if (rs.thousandSeparator.isEmpty())
        return digits;
    qsizetype at = digits.size();
    for (qsizetype group = 0;; ++group) {
        const int size = rs.grouping.value(std::min(group, rs.grouping.size() - 1), 0);
        if (size <= 0 || at <= size)
            return digits;
        at -= size;
        digits.insert(at, rs.thousandSeparator);
    }
}

QString WithCurrencySymbol(const QString& number, bool negative, const RegionalSettings& rs) {
    return negative ? negativeForm(number, rs) : positiveForm(number, rs);
}

} // namespace dvx
