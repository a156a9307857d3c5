#include "metering/meter/session_meter.h"

#include "platform/clock/clock.h"
#include "platform/connection/connection_state.h"

namespace dvx {

SessionMeter::SessionMeter(const Clock& clock, ConnectionStateSource& connection,
                           const RegionalSettings& regional)
    : clock_(clock), connection_(connection), regional_(regional), sessionStart_(clock.now()) {}

TickOutcome SessionMeter::tick(AlarmWindowState alarmWindow) {
    TickOutcome outcome;
    if (!monitoring_) {
        if (charging_) {
            outcome.alarm = updateSession(alarmWindow);
            outcome.updated = true;
        }
        return outcome;
    }
    const ConnectionState state = connection_.query();
    if (state.connected) {
        if (!state.viaModem)
            return outcome;
        if (!charging_) {
            startSession(SessionKind::automatic);
            outcome.started = true;
        }
        outcome.alarm = updateSession(alarmWindow);
        outcome.updated = true;
    } else if (charging_) {
        outcome.ended = endSession();
    }
    return outcome;
}

void SessionMeter::startSession(SessionKind kind) {
    if (charging_)
        return;
    selectChargeRate();
    sessionPriced_ = tariffKnown_;
    sessionStart_ = clock_.now();
    sessionStartInstantMs_ = clock_.instantMs();
    armed_ = AlarmsArmed::all();
    if (kind == SessionKind::manual) {
        connectionName_ = kManualConnection;
        number_.clear();
    } else {
        connectionName_ = kAutomaticConnection;
    }
    charging_ = true;
}

std::optional<FinishedSession> SessionMeter::endSession() {
    if (!charging_)
        return std::nullopt;
    charging_ = false;
    armed_ = AlarmsArmed{};
    sessionStop_ = clock_.now();
    const FinishedSession finished{sessionStart_,   sessionStop_, sessionSeconds_, sessionCharge_,
                                   connectionName_, number_,      sessionPriced_};
    sessionSeconds_ = 0;
    sessionCharge_ = Currency();
    return finished;
}

FinishedSession SessionMeter::sessionSoFar() const {
    return {.start = sessionStart_,
            .stop = sessionStart_ + sessionSeconds_ / kSecondsPerDay,
            .seconds = sessionSeconds_,
            .charge = SessionCharge(sessionSeconds_, currentRate_, tariff_.minimumCharge),
            .connectionName = connectionName_,
            .number = number_,
            .priced = sessionPriced_};
}

void SessionMeter::setTariff(const Tariff& tariff) {
    tariff_ = tariff;
    tariffKnown_ = true;
    if (charging_ && !sessionPriced_) {
        currentRate_ = RateInForce(weekdayOf(sessionStart_), timeOfDay(sessionStart_), tariff_);
        sessionCharge_ = SessionCharge(sessionSeconds_, currentRate_, tariff_.minimumCharge);
        sessionPriced_ = true;
    }
}

// The seconds are counted from the start instant, never added up, so a late or skipped tick
// loses nothing.
std::optional<RaisedAlarm> SessionMeter::updateSession(AlarmWindowState alarmWindow) {
    sessionSeconds_ = WholeSecondsBetween(sessionStartInstantMs_, clock_.instantMs());
    sessionCharge_ = SessionCharge(sessionSeconds_, currentRate_, tariff_.minimumCharge);
    if (alarmWindow == AlarmWindowState::notMade)
        return std::nullopt;
    const MeteredAmounts amounts{sessionSeconds_, sessionCharge_, totalSeconds_, totalCharges_,
                                 lastResetDate_};
    AlarmCheckResult result = CheckAlarmLimits(limits_, armed_, amounts,
                                               alarmWindow == AlarmWindowState::showing, regional_);
    armed_ = result.armed;
    return result.toShow;
}

Currency SessionMeter::selectChargeRate() {
    const DateTime now = clock_.now();
    currentRate_ = RateInForce(weekdayOf(now), timeOfDay(now), tariff_);
    return currentRate_;
}

void SessionMeter::setTotals(std::int32_t seconds, Currency charges) {
    totalSeconds_ = seconds;
    totalCharges_ = charges;
}

} // namespace dvx
