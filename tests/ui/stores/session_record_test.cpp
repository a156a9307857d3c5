// A finished session becomes a record: the totals written through, the record's values in their
// order, its description, and the next free record name.
#include "support/main_window_test.h"

#include "store/settings/store_keys.h"

#include <QLineEdit>

namespace dvx {
namespace {

class RecordTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        run([this] { window.LoadSettings(); });
    }
    std::optional<RegValue> record(const char* name, const char* value) const {
        return hive.value(RecordKey(QString::fromLatin1(name)), QString::fromLatin1(value));
    }
};

TEST_F(RecordTest, ADetectedSessionIsRecordedWithItsTimesChargeAndTotals) {
    loadWith(QStringLiteral("\"DefaultDescription\"=\"Home ISP\"\n"));
    const QString start = now();
    automaticSession(725);
    EXPECT_EQ(hive.valueNames(RecordKey(QStringLiteral("0"))),
              QStringList({"CallTime", "SessionStart", "SessionStop", "CallCharges",
                           "ConnectionName", "Number", "Description"}));
    EXPECT_EQ(record("0", "CallTime"), RegValue::ofDword(725));
    EXPECT_EQ(record("0", "SessionStart"), RegValue::ofString(start));
    EXPECT_EQ(record("0", "SessionStop"), RegValue::ofString(now()));
    EXPECT_EQ(record("0", "CallCharges"), RegValue::ofString(QStringLiteral("£0.42")));
    EXPECT_EQ(record("0", "ConnectionName"),
              RegValue::ofString(QStringLiteral("Automatic Connection")));
    EXPECT_EQ(record("0", "Number"), RegValue::ofString({}));
    EXPECT_EQ(record("0", "Description"), RegValue::ofString(QStringLiteral("Home ISP")));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(725));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallCharges")),
              RegValue::ofString(QStringLiteral("£0.42")));
    EXPECT_EQ(window.meter().sessionSeconds(), 0);
    EXPECT_EQ(window.meter().sessionCharge(), Currency());
    EXPECT_EQ(window.edtTotalCallTime->text(), "12min, 05sec");
}

TEST_F(RecordTest, TheTotalsGrowByEverySessionAndSurviveTheNextLoad) {
    automaticSession(100);
    manualSession(20);
    EXPECT_EQ(window.meter().totalSeconds(), 120);
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(120));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallCharges")),
              RegValue::ofString(QStringLiteral("£0.11")));
    run([this] { window.LoadSettings(); });
    EXPECT_EQ(window.meter().totalSeconds(), 120);
    EXPECT_EQ(window.meter().totalCharges(), Currency::fromRaw(1100));
    EXPECT_EQ(record("1", "ConnectionName"),
              RegValue::ofString(QStringLiteral("Manual Connection")));
}

// A record left by an earlier log (not deleted, or put there from outside) is never
// overwritten: the new record takes the next free number.
TEST_F(RecordTest, AnExistingRecordNameIsNeverOverwritten) {
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\1]\n"
                             "\"CallTime\"=dword:0000003b\n"
                             "\"CallCharges\"=\"£0.05\"\n"));
    automaticSession(30);
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList({"1", "2"}));
    EXPECT_EQ(record("1", "CallTime"), RegValue::ofDword(59));
    EXPECT_EQ(record("2", "CallTime"), RegValue::ofDword(30));
}

TEST_F(RecordTest, ASumBeyond32BitsOfSecondsIsAnIntegerOverflowAndRecordsNothing) {
    loadWith(QStringLiteral("\"TotalCallTime\"=dword:7ffffffa\n"));
    window.SetMonitoring(true);
    connection.dialUp();
    tick();
    clock.advanceSeconds(10);
    tick();
    connection.hangUp();
    expectError(QStringLiteral("Integer overflow"), [this] { window.DurationTimerTimer(); });
    EXPECT_FALSE(hive.keyExists(kSessionsKey));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")),
              RegValue::ofDword(0x7ffffffa));
}

} // namespace
} // namespace dvx
