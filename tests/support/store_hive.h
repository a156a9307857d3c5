#pragma once

#include "store/registry/hive.h"
#include "store/registry/reg_value.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/program_settings.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace dvx::test {

// A hive of the test's own, in a temporary folder, with the registry functions and the two
// stores over it. It is seeded with REGEDIT4 text and read back value by value.
class StoreHive {
public:
    StoreHive();
    StoreHive(const StoreHive&) = delete;
    StoreHive& operator=(const StoreHive&) = delete;

    // Imports the sections and values of `regedit` (the text after the REGEDIT4 line).
    void seed(const QString& regedit);

    bool keyExists(const QString& key) const;
    std::optional<RegValue> value(const QString& key, const QString& name) const;
    // The value names of a key, in their stored order.
    QStringList valueNames(const QString& key) const;
    QStringList subKeys(const QString& key) const;

    QString folder() const { return dir_.path(); }
    Hive& hive() const { return hive_; }
    Registry registry() const { return Registry(hive_); }

private:
    QTemporaryDir dir_;
    // Reading values back changes nothing in the hive.
    mutable Hive hive_;

public:
    ProgramSettings settingsStore{registry()};
    SessionLogStore sessionLog{registry()};
};

// The section line of the product key, the alarms key and a session record.
inline constexpr const char* kProductSection =
    "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]";
inline constexpr const char* kAlarmsSection =
    "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Alarms]";

// REGEDIT4 lines under the product key's or the alarms key's section line.
inline QString ProductSeed(const QString& lines) {
    return QString::fromLatin1(kProductSection) + QLatin1Char('\n') + lines;
}
inline QString AlarmsSeed(const QString& lines) {
    return QString::fromLatin1(kAlarmsSection) + QLatin1Char('\n') + lines;
}

// The four tariff times as the program writes them on a first start.
inline constexpr const char* kTariffTimes = R"("OffPeakStart"="18:00:00"
"OffPeakEnd"="08:00:00"
"WeekendStart"="18:00:00"
"WeekendEnd"="08:00:00"
)";

} // namespace dvx::test
