#include "metering/money_text.h"

#include "metering/conversion_error.h"
#include "metering/rounding.h"

#include <limits>
#include <optional>

namespace dvx {

namespace {

constexpr int kSignificantDigits = 7;

std::int64_t powerOfTen(int exponent) {
    std::int64_t value = 1;
    while (exponent-- > 0)
        value *= 10;
    return value;
}

int integerDigits(std::uint64_t units) {
    int digits = 1;
    while (units >= 10) {
        units /= 10;
        ++digits;
    }
    return digits;
}

// Puts the separator between the digit groups, counted from the right.
QString groupDigits(QString digits, const RegionalSettings& rs) {
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

// The shared rule of the money and rate texts, with `decimals` places shown.
QString currencyText(Currency amount, int decimals, const RegionalSettings& rs) {
    const std::uint64_t magnitude = magnitudeOf(amount.raw());
    const int digits = integerDigits(magnitude / Currency::kScale);
    const int kept = std::min(decimals, kSignificantDigits - digits);
    const std::int64_t step = powerOfTen(4 - kept);
    const std::uint64_t shown = roundedMagnitude(magnitude, step) * step;
    const std::uint64_t fractionStep = powerOfTen(4 - decimals);
    QString number = groupDigits(QString::number(shown / Currency::kScale), rs);
    number += rs.decimalSeparator;
    number += QStringLiteral("%1").arg(shown % Currency::kScale / fractionStep, decimals, 10,
                                       QLatin1Char('0'));
    return amount.raw() < 0 && shown != 0 ? negativeForm(number, rs) : positiveForm(number, rs);
}

} // namespace

QString MoneyText(Currency amount, const RegionalSettings& rs) {
    return currencyText(amount, 2, rs);
}

QString RateText(Currency rate, const RegionalSettings& rs) {
    return currencyText(rate, 3, rs);
}

QString DurationText(std::int32_t seconds) {
    return QStringLiteral("%1min, %2sec")
        .arg(seconds / 60)
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString DigitsAndDecimalSeparator(const QString& given, const RegionalSettings& rs) {
    // A symbol may hold the decimal separator ("B/.", "د.إ."): it goes before the digits
    // are kept.
    QString text = given;
    if (!rs.currencySymbol.isEmpty())
        text.remove(rs.currencySymbol);
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            kept += text.at(i);
        } else if (!rs.decimalSeparator.isEmpty() &&
                   QStringView(text).mid(i).startsWith(rs.decimalSeparator)) {
            kept += rs.decimalSeparator;
            i += rs.decimalSeparator.size() - 1;
        }
    }
    return kept;
}

std::optional<std::int64_t> ReadTenThousandths(const QString& filtered,
                                               const RegionalSettings& rs) {
    const qsizetype point = filtered.indexOf(rs.decimalSeparator);
    const QString whole = point < 0 ? filtered : filtered.left(point);
    const QString fraction =
        point < 0 ? QString() : filtered.mid(point + rs.decimalSeparator.size());
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    if (fraction.contains(rs.decimalSeparator))
        return std::nullopt;
    // Whole units beyond this would overflow the ten-thousandths.
    constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max() / 10000 - 1;
    std::int64_t units = 0;
    for (QChar digit : whole) {
        units = units * 10 + digit.digitValue();
        if (units > kMaxUnits)
            return std::nullopt;
    }
    const QString padded = (fraction + QStringLiteral("0000")).left(4);
    std::int64_t raw = units * 10000 + padded.toLongLong();
    const QString beyond = fraction.mid(4);
    if (!beyond.isEmpty()) {
        const QChar first = beyond.at(0);
        const bool tail = beyond.mid(1).count(QLatin1Char('0')) < beyond.size() - 1;
        const bool moreThanHalf = first > QLatin1Char('5') || (first == QLatin1Char('5') && tail);
        const bool half = first == QLatin1Char('5') && !tail;
        if (moreThanHalf || (half && raw % 2 != 0))
            ++raw;
    }
    return raw;
}

Currency ParseMoneyText(const QString& text, const RegionalSettings& rs) {
    QString filtered = DigitsAndDecimalSeparator(text, rs);
    if (filtered.isEmpty())
        filtered = QStringLiteral("0");
    const auto raw = ReadTenThousandths(filtered, rs);
    if (!raw)
        throw invalidFloat(filtered);
    return Currency::fromRaw(*raw);
}

std::int32_t ParseRateText(const QString& text, const RegionalSettings& rs) {
    const QString filtered = DigitsAndDecimalSeparator(text, rs);
    const auto raw = ReadTenThousandths(filtered, rs);
    if (!raw)
        throw invalidFloat(filtered);
    const std::int64_t thousandths = divideHalfEven(*raw, 10);
    if (thousandths > std::numeric_limits<std::int32_t>::max())
        throw rangeCheckError();
    return static_cast<std::int32_t>(thousandths);
}

Currency ThousandthsToCurrency(std::int32_t thousandths) {
    return Currency::fromRaw(static_cast<std::int64_t>(thousandths) * 10);
}

} // namespace dvx
