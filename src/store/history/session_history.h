#pragma once

#include "metering/regional_settings.h"
#include "store/history/history_session.h"
#include "store/registry/hive.h"

#include <QString>
#include <optional>

namespace dvx {

// Reads every stored session from one state of the hive, without writing anything: the start,
// stop and charge texts by the regional rules the list reads them with. A record without its
// seconds, start, stop or charge, or with one that does not read, is left out and named with
// the reason. None when the hive cannot be read (its message is in the hive's lastError); a
// hive without sessions gives an empty history.
std::optional<SessionHistory> ReadSessionHistory(Hive& hive, const RegionalSettings& regional);

} // namespace dvx
