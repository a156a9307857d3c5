#pragma once

#include "metering/pattern_directives.h"
#include "metering/regional_settings.h"

#include <QDate>
#include <QStringView>
#include <QTime>
#include <optional>

namespace dvx {

// Reads the beginning of a text by a compiled date pattern; what follows the date is left in
// `rest`. Nothing is returned when the text does not begin with a valid date.
std::optional<QDate> ReadDate(const CompiledPattern& pattern, QStringView text,
                              const RegionalSettings& rs, QStringView& rest);
// Reads a whole text by a compiled time pattern; nothing when it is no valid time.
std::optional<QTime> ReadTime(const CompiledPattern& pattern, QStringView text,
                              const RegionalSettings& rs);

} // namespace dvx
