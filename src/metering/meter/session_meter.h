#pragma once

#include "metering/alarms/alarm_check.h"
#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/meter/finished_session.h"
#include "metering/regional_settings.h"
#include "metering/tariff.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace dvx {

class Clock;
class ConnectionStateSource;

enum class SessionKind { automatic, manual };

// Whether the alarm window can take an alarm: before it exists no alarm is used up, so the
// alarm shows at the first tick after it is made.
enum class AlarmWindowState { notMade, hidden, showing };

// What one tick did, for the windows to show.
struct TickOutcome {
    bool started = false;                 // a session started by itself
    bool updated = false;                 // the session's seconds and charge were recomputed
    std::optional<FinishedSession> ended; // the session that ended, not yet in the totals
    std::optional<RaisedAlarm> alarm;     // the alarm to show
};

// The meter of the calls: monitor mode, the session being charged with its rate, seconds and
// charge, the alarm limits with their armed flags, and the totals since the last reset.
//
// Once a second the tick asks for the connection in monitor mode: a modem connection starts or
// updates a session, no connection ends it, and a connection without a modem freezes it. Out
// of monitor mode a running session is only updated. A session is charged at the rate in force
// when it started, never less than the minimum charge.
class SessionMeter {
public:
    SessionMeter(const Clock& clock, ConnectionStateSource& connection,
                 const RegionalSettings& regional);

    TickOutcome tick(AlarmWindowState alarmWindow);

    // Starts a session now at the rate in force now. Nothing happens while one is charging.
    void startSession(SessionKind kind);
    // Ends the running session now; nothing when none runs.
    std::optional<FinishedSession> endSession();
    // The running session as far as it has gone: its seconds at the last update and their
    // charge, never below the minimum, also before the first update.
    FinishedSession sessionSoFar() const;
    // Recomputes the running session's seconds and charge from its start and checks the alarms.
    std::optional<RaisedAlarm> updateSession(AlarmWindowState alarmWindow);

    // The rate in force at this moment becomes the current rate.
    Currency selectChargeRate();

    void setMonitoring(bool on) { monitoring_ = on; }
    bool monitoring() const { return monitoring_; }
    bool charging() const { return charging_; }

    // The running session, or the last one until the next starts.
    DateTime sessionStart() const { return sessionStart_; }
    DateTime sessionStop() const { return sessionStop_; }
    std::int32_t sessionSeconds() const { return sessionSeconds_; }
    Currency sessionCharge() const { return sessionCharge_; }
    Currency currentRate() const { return currentRate_; }
    const QString& connectionName() const { return connectionName_; }
    // The number dialled; nothing tells it, so it stays empty.
    const QString& number() const { return number_; }

    // The tariff the calls are priced with. Until one is set after setTariffUnknown (no store
    // could be read), calls are timed but not priced; the first tariff set then prices the
    // running call at the rate in force at its start.
    const Tariff& tariff() const { return tariff_; }
    void setTariff(const Tariff& tariff);
    void setTariffUnknown() { tariffKnown_ = false; }
    bool tariffKnown() const { return tariffKnown_; }

    // Limits take effect at the next tick and arm nothing.
    const AlarmLimits& alarmLimits() const { return limits_; }
    void setAlarmLimits(const AlarmLimits& limits) { limits_ = limits; }
    AlarmsArmed alarmsArmed() const { return armed_; }

    // The totals since the last reset, as the call log keeps them; the alarms read them.
    std::int32_t totalSeconds() const { return totalSeconds_; }
    Currency totalCharges() const { return totalCharges_; }
    void setTotals(std::int32_t seconds, Currency charges);
    const QString& lastResetDate() const { return lastResetDate_; }
    void setLastResetDate(const QString& date) { lastResetDate_ = date; }

private:
    const Clock& clock_;
    ConnectionStateSource& connection_;
    const RegionalSettings& regional_;

    bool monitoring_ = false;
    bool charging_ = false;
    DateTime sessionStart_ = 0;
    DateTime sessionStop_ = 0;
    // The instant the session started, in UTC milliseconds: its length is counted from here.
    std::int64_t sessionStartInstantMs_ = 0;
    std::int32_t sessionSeconds_ = 0;
    Currency sessionCharge_;
    Currency currentRate_;
    QString connectionName_;
    QString number_;

    Tariff tariff_;
    bool tariffKnown_ = true;
    bool sessionPriced_ = true;
    AlarmLimits limits_;
    AlarmsArmed armed_;
    std::int32_t totalSeconds_ = 0;
    Currency totalCharges_;
    QString lastResetDate_;
};

} // namespace dvx
