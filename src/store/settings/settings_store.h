#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/regional_settings.h"
#include "store/registry/regutils.h"

#include <QString>
#include <cstdint>

namespace dvx {

// The settings values of one key of a hive, each read or written in the form it is stored in. Every
// read creates a missing value (as 0 or an empty text) and leaves its variable as it was when the
// key cannot be read; registry failures are silent. A stored text that cannot be converted fails
// with the conversion's message, the variable unchanged.
class SettingsStore {
public:
    SettingsStore(Registry registry, const RegionalSettings& regional, QString key);

    void readInteger(const QString& name, std::int32_t& value) const;
    // Not 0 is true.
    void readFlag(const QString& name, bool& value) const;
    void readText(const QString& name, QString& text) const;
    // A DWORD of thousandths of the currency unit (the rates and the minimum charge).
    void readThousandths(const QString& name, Currency& amount) const;
    // A time text; an empty or malformed one fails with "'%s' is not a valid time".
    void readTime(const QString& name, DateTime& timeOfDay) const;
    // A money text; an empty one is 0.
    void readMoney(const QString& name, Currency& amount) const;

    void writeInteger(const QString& name, std::int32_t value) const;
    void writeFlag(const QString& name, bool value) const;
    void writeText(const QString& name, const QString& text) const;
    // A rate or charge box's text as thousandths; fails with the conversion's message first.
    void writeRateText(const QString& name, const QString& boxText) const;
    // A time of day as the regional long time text.
    void writeTime(const QString& name, DateTime timeOfDay) const;
    // A time limit box's digits as whole minutes: 0 when empty or beyond 32 bits.
    void writeMinutesText(const QString& name, const QString& boxText) const;
    // A cost limit box's text exactly as typed, once it is known to read back as money; a text
    // that does not fails with the conversion's message and is not written.
    void writeMoneyText(const QString& name, const QString& boxText) const;

private:
    Registry registry_;
    const RegionalSettings& regional_;
    QString key_;
};

// The whole minutes of a time limit box: its decimal number, 0 when empty or beyond 32 bits.
std::int32_t MinutesFromText(const QString& text);

} // namespace dvx
