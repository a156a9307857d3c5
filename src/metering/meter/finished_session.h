#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"

#include <QString>
#include <cstdint>

namespace dvx {

inline const QString kAutomaticConnection = QStringLiteral("Automatic Connection");
inline const QString kManualConnection = QStringLiteral("Manual Connection");

// A session that has ended, as the meter timed and priced it: everything its record holds but
// the description.
struct FinishedSession {
    DateTime start = 0;
    DateTime stop = 0;
    std::int32_t seconds = 0;
    Currency charge;
    QString connectionName;
    QString number;
    // False while no tariff could be read: the charge is then nobody's price, and the call is
    // priced once the tariff is known.
    bool priced = true;

    bool isManual() const { return connectionName == kManualConnection; }
    bool operator==(const FinishedSession&) const = default;
};

} // namespace dvx
