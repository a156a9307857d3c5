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

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Whether taking the symbol off leaves the same digits and separators: where it holds neither
// and the separator is a single character (or none), so that none is made of the characters
// on either side of a symbol taken off.
bool symbolChangesNothing(QStringView symbol, QStringView separator) {
    if (separator.size() > 1 || std::any_of(symbol.begin(), symbol.end(), isAsciiDigit))
        return false;
    return separator.isEmpty() ||
           std::find(symbol.begin(), symbol.end(), separator.front()) == symbol.end();
}

} // namespace

MoneyDigits::MoneyDigits(QStringView text, const RegionalSettings& rs) {
    // A symbol may hold the decimal separator ("B/.", "د.إ."): it goes before the digits
    // are kept.
    const QStringView separator(rs.decimalSeparator);
    Characters rest;
    QStringView left = text;
    if (!symbolChangesNothing(rs.currencySymbol, separator)) {
        withoutSymbol(text, rs.currencySymbol, rest);
        left = QStringView(rest.constData(), rest.size());
    }
    for (qsizetype i = 0; i < left.size(); ++i) {
        if (isAsciiDigit(left.at(i))) {
            kept_.append(left.at(i));
        } else if (startsAt(left, i, separator)) {
            kept_.append(separator.constData(), separator.size());
            i += separator.size() - 1;
        }
    }
}

} // namespace dvx
