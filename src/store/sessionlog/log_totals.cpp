#include "store/sessionlog/log_totals.h"

#include "metering/conversion_error.h"
#include "metering/money_text.h"
#include "store/registry/regutils.h"
#include "store/settings/store_keys.h"

namespace dvx {

void WriteLogTotals(std::int32_t seconds, Currency charges, const RegionalSettings& regional) {
    WriteRegInteger(kProductKey, QStringLiteral("TotalCallTime"), seconds);
    WriteRegString(kProductKey, QStringLiteral("TotalCallCharges"), MoneyText(charges, regional));
}

std::int32_t AddSeconds(std::int32_t total, std::int32_t seconds) {
    std::int32_t sum = 0;
    if (__builtin_add_overflow(total, seconds, &sum))
        throw integerOverflow();
    return sum;
}

} // namespace dvx
