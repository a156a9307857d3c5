#include "store/sessionlog/session_log_store.h"

#include "metering/money_text.h"
#include "store/settings/store_keys.h"

namespace dvx {

void SessionLogStore::WriteLogTotals(std::int32_t seconds, Currency charges,
                                     const RegionalSettings& regional) const {
    registry_.WriteRegInteger(kProductKey, QStringLiteral("TotalCallTime"), seconds);
    registry_.WriteRegString(kProductKey, QStringLiteral("TotalCallCharges"),
                             MoneyText(charges, regional));
}

} // namespace dvx
