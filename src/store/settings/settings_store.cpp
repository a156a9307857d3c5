#include "store/settings/settings_store.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"

namespace dvx {

namespace {

constexpr bool kCreateIfMissing = true;

} // namespace

SettingsStore::SettingsStore(Registry registry, const RegionalSettings& regional, QString key)
    : registry_(registry), regional_(regional), key_(std::move(key)) {}

void SettingsStore::readInteger(const QString& name, std::int32_t& value) const {
    registry_.ReadRegInteger(key_, name, value, kCreateIfMissing);
}

void SettingsStore::readFlag(const QString& name, bool& value) const {
    std::int32_t stored = value ? 1 : 0;
    registry_.ReadRegInteger(key_, name, stored, kCreateIfMissing);
    value = stored != 0;
}

void SettingsStore::readText(const QString& name, QString& text) const {
    registry_.ReadRegString(key_, name, text, kCreateIfMissing);
}

void SettingsStore::readThousandths(const QString& name, Currency& amount) const {
    std::int32_t thousandths = 0;
    if (!registry_.ReadRegInteger(key_, name, thousandths, kCreateIfMissing))
        amount = ThousandthsToCurrency(thousandths);
}

void SettingsStore::readTime(const QString& name, DateTime& timeOfDay) const {
    QString text;
    if (!registry_.ReadRegString(key_, name, text, kCreateIfMissing))
        timeOfDay = ParseTimeText(text, regional_);
}

void SettingsStore::readMoney(const QString& name, Currency& amount) const {
    QString text;
    if (!registry_.ReadRegString(key_, name, text, kCreateIfMissing))
        amount = ParseMoneyText(text, regional_);
}

void SettingsStore::writeInteger(const QString& name, std::int32_t value) const {
    registry_.WriteRegInteger(key_, name, value);
}

void SettingsStore::writeFlag(const QString& name, bool value) const {
    registry_.WriteRegInteger(key_, name, value ? 1 : 0);
}

void SettingsStore::writeText(const QString& name, const QString& text) const {
    registry_.WriteRegString(key_, name, text);
}

void SettingsStore::writeRateText(const QString& name, const QString& boxText) const {
    registry_.WriteRegInteger(key_, name, ParseRateText(boxText, regional_));
}

void SettingsStore::writeTime(const QString& name, DateTime timeOfDay) const {
    registry_.WriteRegString(key_, name, TimeText(timeOfDay, regional_));
}

void SettingsStore::writeMinutesText(const QString& name, const QString& boxText) const {
    registry_.WriteRegInteger(key_, name, MinutesFromText(boxText));
}

void SettingsStore::writeMoneyText(const QString& name, const QString& boxText) const {
    ParseMoneyText(boxText, regional_);
    registry_.WriteRegString(key_, name, boxText);
}

std::int32_t MinutesFromText(const QString& text) {
    bool ok = false;
    const std::int32_t minutes = text.toInt(&ok, 10);
    return ok ? minutes : 0;
}

} // namespace dvx
