#include "store/sessionlog/session_log_store.h"

namespace dvx {

QString SessionLogStore::RecordWholeSession(const SessionRecord& record, std::int32_t totalSeconds,
                                            Currency totalCharges,
                                            const RegionalSettings& regional) const {
    QString key;
    const bool failed = registry_.WriteRegTogether([&] {
        WriteLogTotals(totalSeconds, totalCharges, regional);
        key = WriteSessionRecord(record);
        ForgetCallInProgressStartedAt(record.sessionStart, regional);
    });
    return failed ? QString() : key;
}

} // namespace dvx
