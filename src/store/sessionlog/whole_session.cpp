#include "store/sessionlog/session_log_store.h"

#include "store/settings/store_keys.h"

namespace dvx {

StoreValue<QString> SessionLogStore::RecordWholeSession(const SessionRecord& record,
                                                        std::int32_t totalSeconds,
                                                        Currency totalCharges,
                                                        const RegionalSettings& regional) const {
    QString key;
    qsizetype recordsBefore = -1;
    StoreResult result = registry_.WriteRegTogether([&] {
        WriteLogTotals(totalSeconds, totalCharges, regional);
        recordsBefore = RecordCount();
        key = writeRecord(record, recordsBefore);
        registry_.WriteRegString(key, QStringLiteral("Description"), record.description);
        ForgetCallInProgressStartedAt(record.sessionStart, regional);
    });
    knowRecordCount(result.ok() && recordsBefore >= 0 ? recordsBefore + 1 : -1);
    return {result.ok() ? key : QString(), std::move(result)};
}

StoreResult SessionLogStore::ResetLog(const QString& resetDate,
                                      const RegionalSettings& regional) const {
    return registry_.WriteRegTogether([&] {
        WriteLogTotals(0, Currency(), regional);
        registry_.WriteRegString(kProductKey, QStringLiteral("LastResetDate"), resetDate);
        DeleteSessionRecords();
        registry_.EnsureRegKey(kSessionsKey);
    });
}

} // namespace dvx
