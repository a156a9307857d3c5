#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"

#include <QString>
#include <cstdint>

namespace dvx {

inline const QString kAutomaticConnection = QStringLiteral("Automatic Connection");
inline const QString kManualConnection = QStringLiteral("Manual Connection");

// A session that has ended, with everything its record holds but the description.
struct FinishedSession {
    DateTime start = 0;
    DateTime stop = 0;
    std::int32_t seconds = 0;
    Currency charge;
    QString connectionName;
    QString number;

    bool isManual() const { return connectionName == kManualConnection; }
    bool operator==(const FinishedSession&) const = default;
};

} // namespace dvx
