#include "store/settings/program_settings.h"

#include "metering/date_time.h"
#include "metering/date_time_text.h"
#include "store/settings/store_keys.h"

namespace dvx {

void ProgramSettings::WriteMissingTariffTimes(const RegionalSettings& regional) const {
    const struct {
        const char* name;
        int hour;
    } defaults[] = {
        {"OffPeakStart", 18}, {"OffPeakEnd", 8}, {"WeekendStart", 18}, {"WeekendEnd", 8}};
    for (const auto& time : defaults) {
        const QString name = QString::fromLatin1(time.name);
        QString stored;
        // Without create-if-missing, a read fails only when the key or the value is absent.
        if (registry_.ReadRegString(kProductKey, name, stored, false))
            registry_.WriteRegString(kProductKey, name,
                                     TimeText(encodeTime(time.hour, 0, 0), regional));
    }
}

} // namespace dvx
