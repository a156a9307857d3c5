// Each setting read and written in its stored form, with the failure rules of the store.
#include "store/settings/settings_store.h"

#include "metering/conversion_error.h"
#include "store/settings/store_keys.h"
#include "support/store_hive.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

using test::StoreHive;

class SettingsStoreTest : public ::testing::Test {
protected:
    RegionalSettings regional = RegionalSettings::british();
    StoreHive hive;
    SettingsStore product{hive.registry(), regional, kProductKey};
    SettingsStore alarms{hive.registry(), regional, kAlarmsKey};

    std::optional<RegValue> stored(const char* name) const {
        return hive.value(kProductKey, QString::fromLatin1(name));
    }
};

TEST_F(SettingsStoreTest, AMissingValueIsCreatedEmptyAndAWrongTypeReplaced) {
    hive.seed(test::ProductSeed(QStringLiteral("\"Prompt\"=\"yes\"\n\"Name\"=dword:00000007\n")));
    bool prompt = true;
    product.readFlag(QStringLiteral("Prompt"), prompt);
    EXPECT_FALSE(prompt);
    EXPECT_EQ(stored("Prompt"), RegValue::ofDword(0));
    QString name = QStringLiteral("before");
    product.readText(QStringLiteral("Name"), name);
    EXPECT_EQ(name, "");
    EXPECT_EQ(stored("Name"), RegValue::ofString({}));
    std::int32_t left = 12;
    product.readInteger(QStringLiteral("FloatLeft"), left);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(stored("FloatLeft"), RegValue::ofDword(0));
}

// Without the key nothing is created, and every variable keeps its value.
TEST_F(SettingsStoreTest, AKeyThatDoesNotExistLeavesEveryVariableAsItWas) {
    std::int32_t minutes = 30;
    Currency limit = Currency::fromRaw(25000);
    DateTime time = 0.75;
    bool flag = true;
    alarms.readInteger(QStringLiteral("SessionTimeAlarm"), minutes);
    alarms.readMoney(QStringLiteral("SessionCostAlarm"), limit);
    alarms.readTime(QStringLiteral("OffPeakStart"), time);
    alarms.readFlag(QStringLiteral("Flag"), flag);
    EXPECT_EQ(minutes, 30);
    EXPECT_EQ(limit, Currency::fromRaw(25000));
    EXPECT_EQ(time, 0.75);
    EXPECT_TRUE(flag);
    EXPECT_FALSE(hive.keyExists(kAlarmsKey));
}

struct TextReadCase {
    const char* stored; // nullptr: the value is missing
    std::optional<std::int64_t> raw;
    const char* error;
};

TEST_F(SettingsStoreTest, MoneyTextsReadBackOrStopWithTheConversionMessage) {
    const TextReadCase cases[] = {
        {nullptr, 0, nullptr},
        {"", 0, nullptr},
        {"£2.50", 25000, nullptr},
        {"2.5", 25000, nullptr},
        {"£1,234.56", 12345600, nullptr},
        {"£2..5", std::nullopt, "'2..5' is not a valid floating point value"},
    };
    for (const TextReadCase& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        hive.seed(test::AlarmsSeed(QStringLiteral("\"Limit\"=-\n")));
        if (c.stored)
            hive.seed(test::AlarmsSeed(
                QStringLiteral("\"Limit\"=\"%1\"\n").arg(QString::fromUtf8(c.stored))));
        Currency amount = Currency::fromRaw(-1);
        try {
            alarms.readMoney(QStringLiteral("Limit"), amount);
            EXPECT_EQ(c.error, nullptr);
            EXPECT_EQ(amount.raw(), *c.raw);
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.text(), QString::fromUtf8(c.error));
            EXPECT_EQ(amount, Currency::fromRaw(-1));
        }
    }
}

TEST_F(SettingsStoreTest, TariffTimesReadBackOrStopNamingTheText) {
    const TextReadCase cases[] = {
        {"18:00:00", 18 * 3600, nullptr},
        {"08:30", 8 * 3600 + 1800, nullptr},
        {nullptr, std::nullopt, "'' is not a valid time"},
        {"", std::nullopt, "'' is not a valid time"},
        {"25:00:00", std::nullopt, "'25:00:00' is not a valid time"},
        {"six", std::nullopt, "'six' is not a valid time"},
    };
    for (const TextReadCase& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        hive.seed(test::ProductSeed(QStringLiteral("\"OffPeakStart\"=-\n")));
        if (c.stored)
            hive.seed(test::ProductSeed(
                QStringLiteral("\"OffPeakStart\"=\"%1\"\n").arg(QString::fromUtf8(c.stored))));
        DateTime time = 0.5;
        try {
            product.readTime(QStringLiteral("OffPeakStart"), time);
            EXPECT_EQ(c.error, nullptr);
            EXPECT_EQ(time, encodeTime(0, 0, int(*c.raw)));
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.text(), QString::fromUtf8(c.error));
            EXPECT_EQ(time, 0.5);
        }
        EXPECT_TRUE(stored("OffPeakStart").has_value()); // a missing one is created empty
    }
}

TEST_F(SettingsStoreTest, RatesAreStoredAsThousandthsAndReadBackAsMoney) {
    const struct {
        const char* box;
        std::int32_t thousandths;
    } cases[] = {{"£0.050", 50}, {"0.05", 50}, {"£1,234.5678", 1234568}, {"£0.0005", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        product.writeRateText(QStringLiteral("MinCallCharge"), QString::fromUtf8(c.box));
        EXPECT_EQ(stored("MinCallCharge"), RegValue::ofDword(c.thousandths));
        Currency charge;
        product.readThousandths(QStringLiteral("MinCallCharge"), charge);
        EXPECT_EQ(charge, Currency::fromRaw(std::int64_t(c.thousandths) * 10));
    }
}

TEST_F(SettingsStoreTest, ABoxThatIsNoNumberIsNotWritten) {
    hive.seed(test::ProductSeed(QStringLiteral("\"PeakPerSecond\"=dword:00000023\n")));
    for (const char* box : {"", "£", "1.2.3"}) {
        SCOPED_TRACE(box);
        EXPECT_THROW(product.writeRateText(QStringLiteral("PeakPerSecond"), QString::fromUtf8(box)),
                     ConversionError);
    }
    for (const char* box : {"1..2", "£2.5.0"}) {
        SCOPED_TRACE(box);
        EXPECT_THROW(
            alarms.writeMoneyText(QStringLiteral("SessionCostAlarm"), QString::fromUtf8(box)),
            ConversionError);
    }
    EXPECT_EQ(stored("PeakPerSecond"), RegValue::ofDword(35));
    EXPECT_FALSE(hive.keyExists(kAlarmsKey));
}

TEST_F(SettingsStoreTest, CostLimitsAreStoredExactlyAsTyped) {
    for (const char* box : {"2.5", "£ 3", "", "abc"}) {
        alarms.writeMoneyText(QStringLiteral("TotalCostAlarm"), QString::fromUtf8(box));
        EXPECT_EQ(hive.value(kAlarmsKey, QStringLiteral("TotalCostAlarm")),
                  RegValue::ofString(QString::fromUtf8(box)));
    }
}

TEST_F(SettingsStoreTest, TimeLimitBoxesGiveWholeMinutesOrZero) {
    const struct {
        const char* box;
        std::int32_t minutes;
    } cases[] = {{"", 0},           {"12", 12},        {"0042", 42}, {"2147483647", 2147483647},
                 {"2147483648", 0}, {"99999999999", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        EXPECT_EQ(MinutesFromText(QString::fromUtf8(c.box)), c.minutes);
        alarms.writeMinutesText(QStringLiteral("TotalTimeAlarm"), QString::fromUtf8(c.box));
        EXPECT_EQ(hive.value(kAlarmsKey, QStringLiteral("TotalTimeAlarm")),
                  RegValue::ofDword(c.minutes));
    }
}

TEST_F(SettingsStoreTest, TimesAreStoredAsTheRegionalLongTime) {
    product.writeTime(QStringLiteral("WeekendStart"), encodeTime(18, 0, 0));
    EXPECT_EQ(stored("WeekendStart"), RegValue::ofString(QStringLiteral("18:00:00")));
    RegionalSettings twelveHour = regional;
    twelveHour.longTimeFormat = QStringLiteral("%I:%M:%S %p");
    SettingsStore(hive.registry(), twelveHour, kProductKey)
        .writeTime(QStringLiteral("WeekendEnd"), encodeTime(8, 5, 0));
    EXPECT_EQ(stored("WeekendEnd"), RegValue::ofString(QStringLiteral("08:05:00 AM")));
    DateTime read = 0;
    SettingsStore(hive.registry(), twelveHour, kProductKey)
        .readTime(QStringLiteral("WeekendEnd"), read);
    EXPECT_EQ(read, encodeTime(8, 5, 0));
}

} // namespace
} // namespace dvx
