#include "store/settings/program_settings.h"

#include "store/registry/hive.h"
#include "store/settings/store_keys.h"

namespace dvx {

SettingsStore ProgramSettings::product(const RegionalSettings& regional) const {
    return SettingsStore(registry_, regional, kProductKey);
}

SettingsStore ProgramSettings::alarms(const RegionalSettings& regional) const {
    return SettingsStore(registry_, regional, kAlarmsKey);
}

HiveHealth ProgramSettings::health() const {
    return registry_.hive().health();
}

} // namespace dvx
