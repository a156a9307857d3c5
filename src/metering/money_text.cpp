#include "metering/money_text.h"

#include "metering/conversion_error.h"
#include "metering/currency_format.h"
#include "metering/digit_value.h"
#include "metering/money_digits.h"
#include "metering/padded_number.h"
#include "metering/rounding.h"

#include <algorithm>
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

// The shared rule of the money and rate texts, with `decimals` places shown.
QString currencyText(Currency amount, int decimals, const RegionalSettings& rs) {
    const std::uint64_t magnitude = magnitudeOf(amount.raw());
    const int digits = integerDigits(magnitude / Currency::kScale);
    const int kept = std::min(decimals, kSignificantDigits - digits);
    const std::int64_t step = powerOfTen(4 - kept);
    const std::uint64_t shown = roundedMagnitude(magnitude, step) * step;
    const std::uint64_t fractionStep = powerOfTen(4 - decimals);
    QString number = GroupDigits(QString::number(shown / Currency::kScale), rs);
    number += rs.decimalSeparator;
    appendNumber(number, static_cast<int>(shown % Currency::kScale / fractionStep), decimals,
                 QLatin1Char('0'));
    return WithCurrencySymbol(number, amount.raw() < 0 && shown != 0, rs);
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

QString DigitsAndDecimalSeparator(const QString& text, const RegionalSettings& rs) {
    return MoneyDigits(text, rs).view().toString();
}

namespace {

// Where a separator first stands in a text; one of a single character, as most are, is looked
// for as that character.
qsizetype indexOfSeparator(QStringView text, QStringView separator) {
    if (separator.size() != 1)
        return text.indexOf(separator);
    const auto found = std::find(text.begin(), text.end(), separator.front());
    return found == text.end() ? -1 : found - text.begin();
}

} // namespace

std::optional<std::int64_t> ReadTenThousandths(QStringView text, const RegionalSettings& rs) {
    const qsizetype point = indexOfSeparator(text, rs.decimalSeparator);
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction =
        point < 0 ? QStringView() : text.mid(point + rs.decimalSeparator.size());
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    if (indexOfSeparator(fraction, rs.decimalSeparator) >= 0)
        return std::nullopt;
    // Whole units beyond this would overflow the ten-thousandths.
    constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max() / 10000 - 1;
    std::int64_t units = 0;
    for (QChar digit : whole) {
        units = units * 10 + digitValueOf(digit);
        if (units > kMaxUnits)
            return std::nullopt;
    }
    // The first four decimals, padded with zeros; the text holds digits only besides the
    // separator.
    std::int64_t decimals = 0;
    for (qsizetype i = 0; i < 4; ++i)
        decimals = decimals * 10 + (i < fraction.size() ? digitValueOf(fraction.at(i)) : 0);
    std::int64_t raw = units * 10000 + decimals;
    const QStringView beyond = fraction.size() > 4 ? fraction.mid(4) : QStringView();
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
