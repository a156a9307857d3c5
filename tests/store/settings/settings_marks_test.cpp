// The values the program writes by itself: the first-run mark, the reset date of a new log and
// the tariff times of a first start.
#include "metering/date_time_text.h"
#include "store/settings/last_reset_date.h"
#include "store/settings/program_settings.h"
#include "store/settings/settings_store.h"
#include "store/settings/store_keys.h"
#include "support/store_hive.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

using test::StoreHive;

const RegionalSettings kBritish = RegionalSettings::british();

TEST(FirstRun, TheFirstStartIsMarkedOnceAndLaterStartsFindTheMark) {
    const struct {
        const char* what;
        const char* seed; // after the product section line; nullptr: no product key
        std::int32_t flag;
        bool keyAfter;
    } cases[] = {
        {"no product key", nullptr, 0, true},
        {"no FirstRun", "", 0, true},
        {"FirstRun 0", "\"FirstRun\"=dword:00000000\n", 0, true},
        {"FirstRun as text", "\"FirstRun\"=\"1\"\n", 0, true},
        {"FirstRun 1", "\"FirstRun\"=dword:00000001\n", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StoreHive hive;
        if (c.seed)
            hive.seed(test::ProductSeed(QString::fromUtf8(c.seed)));
        std::int32_t flag = 0;
        hive.settingsStore.ReadFirstRunFlag(flag);
        EXPECT_EQ(flag, c.flag);
        EXPECT_EQ(hive.value(kProductKey, QStringLiteral("FirstRun")), RegValue::ofDword(1));
        std::int32_t next = 0;
        hive.settingsStore.ReadFirstRunFlag(next);
        EXPECT_EQ(next, 1);
    }
}

TEST(LastResetDate, AnEmptyDateBecomesTheMomentOfTheLoad) {
    const DateTime now = encodeDate(QDate(2026, 3, 3)) + encodeTime(12, 0, 5);
    for (const bool stored : {true, false}) {
        StoreHive hive;
        hive.seed(
            test::ProductSeed(stored ? QStringLiteral("\"LastResetDate\"=\"\"\n") : QString()));
        QString date;
        hive.settingsStore.ReadLastResetDate(date, now, kBritish);
        EXPECT_EQ(date, "03/03/2026 12:00:05");
        EXPECT_EQ(hive.value(kProductKey, QStringLiteral("LastResetDate")),
                  RegValue::ofString(date));
    }
}

TEST(LastResetDate, AStoredDateIsKeptAsItStands) {
    StoreHive hive;
    hive.seed(test::ProductSeed(QStringLiteral("\"LastResetDate\"=\"01/03/2026\"\n")));
    QString date;
    hive.settingsStore.ReadLastResetDate(date, 46000.5, kBritish);
    EXPECT_EQ(date, "01/03/2026");
    EXPECT_EQ(TotalsSinceText(date), "(Totals Since 01/03/2026)");
}

TEST(DefaultTariffTimes, AFreshStoreGetsTheFourTimesAndLoadsThem) {
    StoreHive hive;
    hive.settingsStore.WriteMissingTariffTimes(kBritish);
    const SettingsStore product = hive.settingsStore.product(kBritish);
    const struct {
        const char* name;
        int hour;
    } expected[] = {
        {"OffPeakStart", 18}, {"OffPeakEnd", 8}, {"WeekendStart", 18}, {"WeekendEnd", 8}};
    for (const auto& time : expected) {
        SCOPED_TRACE(time.name);
        DateTime read = -1;
        product.readTime(QString::fromLatin1(time.name), read);
        EXPECT_EQ(read, encodeTime(time.hour, 0, 0));
    }
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("OffPeakStart")),
              RegValue::ofString(QStringLiteral("18:00:00")));
}

// Only absent times are written: a seeded tariff, and even an empty time, stay as they are.
TEST(DefaultTariffTimes, StoredTimesAreLeftAlone) {
    StoreHive hive;
    hive.seed(
        test::ProductSeed(QStringLiteral("\"OffPeakStart\"=\"19:30:00\"\n\"WeekendEnd\"=\"\"\n")));
    hive.settingsStore.WriteMissingTariffTimes(kBritish);
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("OffPeakStart")),
              RegValue::ofString(QStringLiteral("19:30:00")));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("WeekendEnd")), RegValue::ofString({}));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("OffPeakEnd")),
              RegValue::ofString(QStringLiteral("08:00:00")));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("WeekendStart")),
              RegValue::ofString(QStringLiteral("18:00:00")));
}

} // namespace
} // namespace dvx
