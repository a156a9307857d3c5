#pragma once

#include "metering/regional_settings.h"

namespace dvx {

// Gives a store the tariff times it cannot load without: each of OffPeakStart (18:00:00),
// OffPeakEnd (08:00:00), WeekendStart (18:00:00) and WeekendEnd (08:00:00) that is absent is
// written as the regional time text. Times already stored, valid or not, stay as they are.
void WriteMissingTariffTimes(const RegionalSettings& regional);

} // namespace dvx
