#pragma once

#include "metering/regional_settings.h"

#include <QString>

namespace dvx {

// The whole units of an amount with the regional thousands separator between the digit groups,
// sized by the regional monetary grouping ("1,23,456" in India).
QString GroupDigits(QString digits, const RegionalSettings& rs);

// A number text with the currency symbol, and for a negative amount the sign, placed as the
// regional format places them.
QString WithCurrencySymbol(const QString& number, bool negative, const RegionalSettings& rs);

} // namespace dvx
