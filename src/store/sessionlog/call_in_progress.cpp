#include "store/sessionlog/session_log_store.h"

#include "metering/date_time_text.h"
#include "metering/meter/finished_session.h"
#include "store/registry/hive.h"

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

StoreResult SessionLogStore::KeepCallInProgress(const CallInProgress& call,
                                                const RegionalSettings& regional) const {
    const QString& key = kCallInProgressKey;
    return registry_.WriteRegTogether([&] {
        registry_.WriteRegString(key, kSessionStart, DateTimeText(call.start, regional));
        registry_.WriteRegString(key, kStartMoment, QString::number(call.start, 'g', 17));
        registry_.WriteRegInteger(key, kCallTime, call.seconds);
        registry_.WriteRegString(key, kCharge, QString::number(call.charge.raw()));
        registry_.WriteRegString(key, kConnectionName, call.connectionName);
        registry_.WriteRegString(key, kNumber, call.number);
    });
}

bool SessionLogStore::CallInProgressKept() const {
    return registry_.hive().keyExists(kCallInProgressKey);
}

std::optional<CallInProgress> SessionLogStore::ReadCallInProgress() const {
    QList<NamedRegValue> values;
    if (!registry_.hive().listValues(kCallInProgressKey, values))
        return std::nullopt;
    return callFrom(values);
}

void SessionLogStore::RemoveCallInProgress() const {
    if (CallInProgressKept())
        registry_.DeleteRegKey(kCallInProgressKey);
}

void SessionLogStore::ForgetCallInProgressStartedAt(const QString& startText,
                                                    const RegionalSettings& regional) const {
    QList<NamedRegValue> values;
    if (!registry_.hive().listValues(kCallInProgressKey, values))
        return;
    const std::optional<DateTime> start = startMoment(values);
    if (start && DateTimeText(*start, regional) == startText)
        registry_.DeleteRegKey(kCallInProgressKey);
}

StoreResult SessionLogStore::DropCallInProgressStartedAt(const QString& startText,
                                                         const RegionalSettings& regional) const {
    return registry_.WriteRegTogether([&] { ForgetCallInProgressStartedAt(startText, regional); });
}

} // namespace dvx
