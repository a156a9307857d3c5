#include "metering/call_texts.h"

namespace dvx {

QString CallTimeText(std::int32_t seconds) {
    if (seconds > 60)
        return QStringLiteral("Call time %1 minutes, %2 seconds.")
            .arg(seconds / 60)
            .arg(seconds % 60);
    return QStringLiteral("Call time %1 seconds.").arg(seconds);
}

QString CallHintText(std::int32_t seconds, const QString& moneyText) {
    return QStringLiteral("Dorvantix - ") + CallTimeText(seconds) + QStringLiteral("  Cost ") +
           moneyText;
}

QString CallCostText(const QString& moneyText) {
    return QStringLiteral("Cost ") + moneyText;
}

} // namespace dvx
