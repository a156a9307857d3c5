#pragma once

#include "metering/currency.h"
#include "metering/regional_settings.h"

#include <cstdint>

namespace dvx {

// The running totals of the log as they are stored: TotalCallTime in seconds, TotalCallCharges
// as the money text of the charges.
void WriteLogTotals(std::int32_t seconds, Currency charges, const RegionalSettings& regional);

} // namespace dvx
