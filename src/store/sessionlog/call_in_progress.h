#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/regional_settings.h"

#include <QString>
#include <cstdint>
#include <optional>

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

// Keeps the call, in place of the one kept before, in one change of the store: its start (as
// the exact moment, and as date-and-time text for people who read the store), seconds, exact
// charge, connection name and number. Returns true when it failed.
bool KeepCallInProgress(const CallInProgress& call, const RegionalSettings& regional);

// Whether anything is kept under the call's key, readable or not.
bool CallInProgressKept();

// The kept call; nothing when none is kept or when what is kept cannot be a call (a value
// missing, of the wrong type or out of range). Reads without changing anything.
std::optional<CallInProgress> ReadCallInProgress();

// Removes whatever is kept under the call's key.
void RemoveCallInProgress();

// Removes the kept call when it is the call that started at the moment whose date-and-time
// text is `startText`; a call kept since by a later session stays. Safe inside
// WriteRegTogether: it changes nothing unless that call is there.
void ForgetCallInProgressStartedAt(const QString& startText, const RegionalSettings& regional);

} // namespace dvx
