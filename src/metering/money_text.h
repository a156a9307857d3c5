#pragma once

#include "metering/currency.h"
#include "metering/regional_settings.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace dvx {

// An amount in the regional currency format (symbol, digit groups, negative form) with two
// decimals, after rounding it to seven significant digits or two decimals, whichever keeps
// fewer (a half rounds away from zero).
QString MoneyText(Currency amount, const RegionalSettings& rs);
// As MoneyText, with three decimals.
QString RateText(Currency rate, const RegionalSettings& rs);
// "12min, 34sec": whole minutes, never hours, and the seconds as two digits.
QString DurationText(std::int32_t seconds);

// Reads a money text back: only the digits and the regional decimal separator count (the
// currency symbol taken off first, any sign dropped), and a text with neither reads as 0. Fails
// with "'%s' is not a valid floating point value".
Currency ParseMoneyText(const QString& text, const RegionalSettings& rs);
// Reads a rate or charge box into whole thousandths of the currency unit. An empty text fails
// like a malformed one; a result beyond 32 bits fails with "Range check error".
std::int32_t ParseRateText(const QString& text, const RegionalSettings& rs);
// The money amount of a stored number of thousandths.
Currency ThousandthsToCurrency(std::int32_t thousandths);

// The digits and regional decimal separators of a text, in their order, once the regional
// currency symbol is taken off.
QString DigitsAndDecimalSeparator(const QString& text, const RegionalSettings& rs);
// Reads a text of digits with at most one regional decimal separator as ten-thousandths, an
// exact half of the last place going to the even neighbour. Nothing for a malformed text.
std::optional<std::int64_t> ReadTenThousandths(QStringView filtered, const RegionalSettings& rs);

} // namespace dvx
