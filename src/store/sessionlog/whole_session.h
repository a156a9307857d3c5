#pragma once

#include "metering/currency.h"
#include "metering/regional_settings.h"
#include "store/sessionlog/session_record.h"

#include <QString>
#include <cstdint>

namespace dvx {

// Records a finished session in one change of the store: the new running totals (seconds and
// the money text of the charges) and the new record with every value but its description;
// the call kept in progress goes in the same change when it is this session's.
// After a crash or a kill at any moment the store holds all of it or none of it. Returns the
// record's key for the description, which is written afterwards in a step of its own; an
// empty key when nothing could be written (the store is busy, read-only or full), so that the
// caller can keep the session and try again.
QString RecordWholeSession(const SessionRecord& record, std::int32_t totalSeconds,
                           Currency totalCharges, const RegionalSettings& regional);

} // namespace dvx
