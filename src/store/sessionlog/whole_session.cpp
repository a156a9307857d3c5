#include "store/sessionlog/whole_session.h"

#include "store/registry/regutils.h"
#include "store/sessionlog/call_in_progress.h"
#include "store/sessionlog/log_totals.h"
#include "store/sessionlog/session_records.h"

namespace dvx {

QString RecordWholeSession(const SessionRecord& record, std::int32_t totalSeconds,
                           Currency totalCharges, const RegionalSettings& regional) {
    QString key;
    const bool failed = WriteRegTogether([&] {
        WriteLogTotals(totalSeconds, totalCharges, regional);
        key = WriteSessionRecord(record);
        ForgetCallInProgressStartedAt(record.sessionStart, regional);
    });
    return failed ? QString() : key;
}

} // namespace dvx
