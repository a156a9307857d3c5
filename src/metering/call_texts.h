#pragma once

#include <QString>
#include <cstdint>

namespace dvx {

// "Call time 60 seconds." up to a minute, "Call time 1 minutes, 1 seconds." beyond it.
QString CallTimeText(std::int32_t seconds);
// The tray tip of a running call: "Dorvantix - Call time ... seconds.  Cost £0.05".
QString CallHintText(std::int32_t seconds, const QString& moneyText);
// The floating display's cost line.
QString CallCostText(const QString& moneyText);

inline const QString kNotConnectedHint = QStringLiteral("Dorvantix - Not Connected");

} // namespace dvx
