#include "store/sessionlog/call_in_progress.h"

#include "metering/date_time_text.h"
#include "metering/meter/finished_session.h"
#include "store/registry/process_hive.h"
#include "store/registry/regutils.h"

#include <QList>
#include <cmath>

namespace dvx {

namespace {

const QString kSessionStart = QStringLiteral("SessionStart");
const QString kStartMoment = QStringLiteral("StartMoment");
const QString kCallTime = QStringLiteral("CallTime");
const QString kCharge = QStringLiteral("ChargeTenThousandths");
const QString kConnectionName = QStringLiteral("ConnectionName");
const QString kNumber = QStringLiteral("Number");

// The moments a date-and-time text can show: from the start of the DateTime scale to the end
// of the year 9999.
constexpr DateTime kLatestMoment = 2958466;

std::optional<RegValue> find(const QList<NamedRegValue>& values, const QString& name) {
    for (const NamedRegValue& value : values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return value.value;
    }
    return std::nullopt;
}

std::optional<QString> text(const QList<NamedRegValue>& values, const QString& name) {
    const std::optional<RegValue> value = find(values, name);
    if (!value || value->type != RegValue::Type::string)
        return std::nullopt;
    return value->text;
}

std::optional<DateTime> startMoment(const QList<NamedRegValue>& values) {
    const std::optional<QString> stored = text(values, kStartMoment);
    bool ok = false;
    const double moment = stored ? stored->toDouble(&ok) : 0;
    if (!ok || !std::isfinite(moment) || moment < 0 || moment >= kLatestMoment)
        return std::nullopt;
    return moment;
}

std::optional<CallInProgress> callFrom(const QList<NamedRegValue>& values) {
    const std::optional<DateTime> start = startMoment(values);
    const std::optional<RegValue> seconds = find(values, kCallTime);
    const std::optional<QString> chargeText = text(values, kCharge);
    const std::optional<QString> name = text(values, kConnectionName);
    const std::optional<QString> number = text(values, kNumber);
    if (!start || !seconds || !seconds->isDword() || seconds->dword < 0 || !chargeText || !name ||
        !number || (*name != kAutomaticConnection && *name != kManualConnection)) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong charge = chargeText->toLongLong(&ok);
    if (!ok || charge < 0)
        return std::nullopt;
    return CallInProgress{*start, seconds->dword, Currency::fromRaw(charge), *name, *number};
}

} // namespace

bool KeepCallInProgress(const CallInProgress& call, const RegionalSettings& regional) {
    const QString& key = kCallInProgressKey;
    return WriteRegTogether([&] {
        WriteRegString(key, kSessionStart, DateTimeText(call.start, regional));
        WriteRegString(key, kStartMoment, QString::number(call.start, 'g', 17));
        WriteRegInteger(key, kCallTime, call.seconds);
        WriteRegString(key, kCharge, QString::number(call.charge.raw()));
        WriteRegString(key, kConnectionName, call.connectionName);
        WriteRegString(key, kNumber, call.number);
    });
}

bool CallInProgressKept() {
    return ProcessHive().keyExists(kCallInProgressKey);
}

std::optional<CallInProgress> ReadCallInProgress() {
    QList<NamedRegValue> values;
    if (!ProcessHive().listValues(kCallInProgressKey, values))
        return std::nullopt;
    return callFrom(values);
}

void RemoveCallInProgress() {
    if (CallInProgressKept())
        DeleteRegKey(kCallInProgressKey);
}

void ForgetCallInProgressStartedAt(const QString& startText, const RegionalSettings& regional) {
    QList<NamedRegValue> values;
    if (!ProcessHive().listValues(kCallInProgressKey, values))
        return;
    const std::optional<DateTime> start = startMoment(values);
    if (start && DateTimeText(*start, regional) == startText)
        DeleteRegKey(kCallInProgressKey);
}

} // namespace dvx
