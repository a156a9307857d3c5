#include "metering/money_digits.h"

#include <algorithm>

namespace dvx {

namespace {

using Characters = QVarLengthArray<QChar, 64>;

bool startsAt(QStringView text, qsizetype at, QStringView part) {
    return !part.isEmpty() && text.at(at) == part.front() && text.size() - at >= part.size() &&
           std::equal(part.begin(), part.end(), text.begin() + at);
}

// The text with every occurrence of the symbol taken off, from the left, as QString::remove
// takes them.
void withoutSymbol(QStringView text, QStringView symbol, Characters& out) {
    for (qsizetype i = 0; i < text.size();) {
        if (startsAt(text, i, symbol)) {
            i += symbol.size();
        } else {
            out.append(text.at(i));
            ++i;
        }
    }
}

} // namespace

MoneyDigits::MoneyDigits(QStringView text, const RegionalSettings& rs) {
    // A symbol may hold the decimal separator ("B/.", "د.إ."): it goes before the digits
    // are kept.
    Characters rest;
    withoutSymbol(text, rs.currencySymbol, rest);
    const QStringView left(rest.constData(), rest.size());
    const QStringView separator(rs.decimalSeparator);
    for (qsizetype i = 0; i < left.size(); ++i) {
        if (left.at(i) >= QLatin1Char('0') && left.at(i) <= QLatin1Char('9')) {
            kept_.append(left.at(i));
        } else if (startsAt(left, i, separator)) {
            kept_.append(separator.constData(), separator.size());
            i += separator.size() - 1;
        }
    }
}

} // namespace dvx
