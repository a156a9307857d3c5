#pragma once

#include "metering/date_time.h"
#include "metering/regional_settings.h"
#include "store/registry/hive_health.h"
#include "store/registry/regutils.h"
#include "store/settings/settings_store.h"

#include <QString>
#include <cstdint>

namespace dvx {

// The program's settings in the hive it is given: the values of the product key and of the
// alarms key, the first-run mark, the date of the last reset and the tariff times a first start
// writes. Registry failures are silent, as in SettingsStore.
class ProgramSettings {
public:
    explicit ProgramSettings(Registry registry) : registry_(registry) {}

    // The values of the product key, and of its "Alarms" key.
    SettingsStore product(const RegionalSettings& regional) const;
    SettingsStore alarms(const RegionalSettings& regional) const;

    // Reads the first-run mark FirstRun into `flag` and, when it is 0 (a first start), marks
    // the program as started. On a machine without the product key the read fails, `flag`
    // keeps its value and the mark creates the key.
    void ReadFirstRunFlag(std::int32_t& flag) const;

    // Reads LastResetDate into `date`; an empty one becomes the date-and-time text of `now`,
    // which is written back.
    void ReadLastResetDate(QString& date, DateTime now, const RegionalSettings& regional) const;
    // Writes the date-and-time text of a reset as LastResetDate.
    void WriteLastResetDate(const QString& date) const;

    // The folder in which the user last saved or loaded a log file (LogFolder); empty when
    // none is stored.
    QString ReadLogFolder() const;
    void WriteLogFolder(const QString& folder) const;

    // Gives a store the tariff times it cannot load without: each of OffPeakStart (18:00:00),
    // OffPeakEnd (08:00:00), WeekendStart (18:00:00) and WeekendEnd (08:00:00) that is absent
    // is written as the regional time text. Times already stored, valid or not, stay as they
    // are.
    void WriteMissingTariffTimes(const RegionalSettings& regional) const;

    // What the hive file is like (see Hive::health): a program asks this at start, so that a
    // hive it cannot use is never taken for a first run.
    HiveHealth health() const;

private:
    Registry registry_;
};

} // namespace dvx
