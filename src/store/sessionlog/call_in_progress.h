#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"

#include <QString>
#include <cstdint>

namespace dvx {

// The key under which the call in progress is kept.
inline const QString kCallInProgressKey =
    QStringLiteral("Software\\Ostravane\\Dorvantix\\CallInProgress");

// A call that is still going on, as far as it had gone when it was last kept: the store keeps
// it so that a crash, a kill or a power cut loses only the time since then.
struct CallInProgress {
    DateTime start = 0;
    std::int32_t seconds = 0;
    Currency charge;
    QString connectionName;
    QString number;

    bool operator==(const CallInProgress&) const = default;
};

} // namespace dvx
