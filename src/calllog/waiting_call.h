#pragma once

#include "metering/meter/finished_session.h"

#include <QString>

namespace dvx {

// A finished call on its way into the hive: the session as the meter ended it and its
// description. Once its record is in the hive, only a description that replaces the first one
// may still wait, under the record's key.
struct WaitingCall {
    FinishedSession session;
    QString description;
    QString recordKey;

    bool recorded() const { return !recordKey.isEmpty(); }
    bool operator==(const WaitingCall&) const = default;
};

} // namespace dvx
