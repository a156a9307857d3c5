#include "store/sessionlog/log_totals.h"

#include "metering/money_text.h"
#include "store/registry/regutils.h"
#include "store/settings/store_keys.h"

namespace dvx {

void WriteLogTotals(std::int32_t seconds, Currency charges, const RegionalSettings& regional) {
    WriteRegInteger(kProductKey, QStringLiteral("TotalCallTime"), seconds);
    WriteRegString(kProductKey, QStringLiteral("TotalCallCharges"), MoneyText(charges, regional));
}

} // namespace dvx
