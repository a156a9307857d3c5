// Loading the settings into the window: every value, its conversion and canonical text, and the
// stops on a stored text that cannot be converted.
#include "support/main_window_test.h"

#include "ui/main_window/time_of_day_picker.h"

#include "store/settings/store_keys.h"
#include "ui/floating/frm_float.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace dvx {
namespace {

QString Product(const char* lines) {
    return test::ProductSeed(QString::fromUtf8(lines));
}

// The load creates what it reads before the first tariff time and stops there; nothing after
// it is created and the fields of the later steps keep their values.
TEST_F(MainWindowTest, AStoreWithoutTheProductKeyStopsAtTheFirstTariffTime) {
    window.edtTotalCallTime->setText(QStringLiteral("untouched"));
    expectError(QStringLiteral("'' is not a valid time"), [this] { window.LoadSettings(); });
    EXPECT_EQ(
        hive.valueNames(kProductKey),
        QStringList({"FirstRun", "DefaultDescription", "PromptForDescription", "FloatLeft",
                     "FloatTop", "FloatingDisplay", "LastResetDate", "MinCallCharge",
                     "OffPeakPerSecond", "PeakPerSecond", "WeekendPerSecond", "OffPeakStart"}));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("FirstRun")), RegValue::ofDword(1));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("OffPeakStart")), RegValue::ofString({}));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("LastResetDate")), RegValue::ofString(now()));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("MinCallCharge")), RegValue::ofDword(0));
    EXPECT_FALSE(hive.keyExists(kAlarmsKey));
    EXPECT_EQ(window.settings().FirstRunFlag, 0);
    EXPECT_EQ(window.lblLastResetDate->text(), "(Totals Since " + now() + ")");
    EXPECT_EQ(window.meter().totalSeconds(), 0);
    EXPECT_EQ(window.edtTotalCallTime->text(), "untouched");
}

// What an earlier load put in effect stays when a later one stops at a time it cannot read.
TEST_F(MainWindowTest, AFailedLoadKeepsTheTotalsAlreadyInEffect) {
    seedConfiguredStore();
    loadWith(QStringLiteral("\"TotalCallTime\"=dword:00000063\n"));
    hive.seed(test::ProductSeed(
        QStringLiteral("\"OffPeakEnd\"=\"soon\"\n\"TotalCallTime\"=dword:00000001\n")));
    expectError(QStringLiteral("'soon' is not a valid time"), [this] { window.LoadSettings(); });
    EXPECT_EQ(window.meter().totalSeconds(), 99);
    EXPECT_EQ(window.meter().tariff().offPeakStart, encodeTime(18, 0, 0));
}

TEST_F(MainWindowTest, AStoreWithoutTheAlarmsKeyLoadsWithNoLimits) {
    hive.seed(Product(test::kTariffTimes));
    run([this] { window.LoadSettings(); });
    EXPECT_EQ(dialogs.shown().size(), 0);
    EXPECT_FALSE(hive.keyExists(kAlarmsKey));
    EXPECT_EQ(window.meter().alarmLimits().sessionTimeMinutes, 0);
    EXPECT_EQ(window.meter().alarmLimits().totalTimeMinutes, 0);
    EXPECT_EQ(window.meter().alarmLimits().sessionCost, Currency());
    EXPECT_EQ(window.meter().alarmLimits().totalCost, Currency());
    for (QLineEdit* box : {window.edtSessionTimeAlarm, window.edtTotalTimeAlarm})
        EXPECT_EQ(box->text(), "0");
    for (QLineEdit* box : {window.edtSessionCostAlarm, window.edtTotalCostAlarm})
        EXPECT_EQ(box->text(), "£0.00");
    EXPECT_EQ(window.settings().FirstRunFlag, 0);
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("AutoRun")), RegValue::ofDword(0));
}

TEST_F(MainWindowTest, EveryStoredValueReachesItsFieldAndItsBox) {
    hive.seed(Product(R"("FirstRun"=dword:00000001
"DefaultDescription"="Dial-up home"
"PromptForDescription"=dword:00000001
"FloatLeft"=dword:00000064
"FloatTop"=dword:000000c8
"FloatingDisplay"=dword:00000001
"LastResetDate"="01/03/2026 09:00:00"
"MinCallCharge"=dword:00000032
"OffPeakPerSecond"=dword:0000000a
"PeakPerSecond"=dword:00000023
"WeekendPerSecond"=dword:000004d2
"OffPeakStart"="19:30:00"
"OffPeakEnd"="07:15:00"
"WeekendEnd"="06:00:00"
"WeekendStart"="17:45:00"
"TotalCallTime"=dword:00000e8d
"TotalCallCharges"="£1,234.567"
"AutoRun"=dword:00000001
)") + test::AlarmsSeed(QStringLiteral(R"("SessionTimeAlarm"=dword:0000001e
"SessionCostAlarm"="2.5"
"TotalTimeAlarm"=dword:00000258
"TotalCostAlarm"="£10"
)")));
    run([this] { window.LoadSettings(); });
    EXPECT_EQ(dialogs.shown().size(), 0);
    EXPECT_EQ(window.settings().FirstRunFlag, 1);
    EXPECT_EQ(window.settings().DefaultDescription, "Dial-up home");
    EXPECT_EQ(window.edtDefaultEntryDescription->text(), "Dial-up home");
    EXPECT_TRUE(window.settings().PromptForDescription);
    EXPECT_TRUE(window.cbPromptForDescription->isChecked());
    EXPECT_EQ(window.frmFloat->pos(), QPoint(100, 200));
    EXPECT_TRUE(window.settings().FloatingShown);
    EXPECT_TRUE(window.mnuFloatingDisplay->isChecked());
    EXPECT_EQ(window.lblLastResetDate->text(), "(Totals Since 01/03/2026 09:00:00)");
    EXPECT_EQ(window.meter().tariff().minimumCharge, Currency::fromRaw(500));
    EXPECT_EQ(window.meter().tariff().weekendRate, Currency::fromRaw(12340));
    EXPECT_EQ(window.edtWeekendPerSecond->text(), "£1.234");
    EXPECT_EQ(window.edtPeakPerSecond->text(), "£0.035");
    EXPECT_EQ(window.edtOffPeakPerSecond->text(), "£0.010");
    EXPECT_EQ(window.edtMinimumCallCharge->text(), "£0.050");
    EXPECT_EQ(window.meter().tariff().offPeakStart, encodeTime(19, 30, 0));
    EXPECT_EQ(window.DTPOffPeakStart->time(), QTime(19, 30));
    EXPECT_EQ(window.DTPOffPeakEnd->time(), QTime(7, 15));
    EXPECT_EQ(window.DTPWeekendEnd->time(), QTime(6, 0));
    EXPECT_EQ(window.DTPWeekendStart->time(), QTime(17, 45));
    EXPECT_EQ(window.meter().totalSeconds(), 3725);
    EXPECT_EQ(window.edtTotalCallTime->text(), "62min, 05sec");
    EXPECT_EQ(window.meter().totalCharges(), Currency::fromRaw(12345670));
    EXPECT_EQ(window.edtTotalCost->text(), "£1,234.57");
    EXPECT_TRUE(window.cbAutoStart->isChecked());
    EXPECT_EQ(window.meter().alarmLimits().sessionTimeMinutes, 30);
    EXPECT_EQ(window.edtSessionTimeAlarm->text(), "30");
    EXPECT_EQ(window.meter().alarmLimits().sessionCost, Currency::fromRaw(25000));
    EXPECT_EQ(window.edtSessionCostAlarm->text(), "£2.50");
    EXPECT_EQ(window.edtTotalTimeAlarm->text(), "600");
    EXPECT_EQ(window.edtTotalCostAlarm->text(), "£10.00");
}

// A flag stored as text is replaced by DWORD 0; stored as a number it counts when not 0.
TEST_F(MainWindowTest, FlagsComeUpCheckedOnlyWhenStoredAsANumberOtherThanZero) {
    const struct {
        const char* stored;
        bool checked;
    } cases[] = {
        {"\"PromptForDescription\"=\"1\"\n\"AutoRun\"=\"yes\"\n", false},
        {"\"PromptForDescription\"=dword:00000000\n\"AutoRun\"=dword:00000000\n", false},
        {"\"PromptForDescription\"=dword:ffffffff\n\"AutoRun\"=dword:00000002\n", true},
        {"\"PromptForDescription\"=-\n\"AutoRun\"=-\n", false},
    };
    hive.seed(Product(test::kTariffTimes));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        window.cbPromptForDescription->setChecked(!c.checked);
        window.cbAutoStart->setChecked(!c.checked);
        hive.seed(Product(c.stored));
        run([this] { window.LoadSettings(); });
        EXPECT_EQ(window.settings().PromptForDescription, c.checked);
        EXPECT_EQ(window.cbPromptForDescription->isChecked(), c.checked);
        EXPECT_EQ(window.cbAutoStart->isChecked(), c.checked);
        EXPECT_TRUE(hive.value(kProductKey, QStringLiteral("PromptForDescription"))->isDword());
        EXPECT_TRUE(hive.value(kProductKey, QStringLiteral("AutoRun"))->isDword());
    }
}

// Each stored text that cannot be converted stops the load at its own step: the boxes of the
// later steps keep their texts.
TEST_F(MainWindowTest, AStoredTextThatCannotBeConvertedStopsTheLoadAtItsStep) {
    const struct {
        const char* seed;
        bool alarms;
        const char* error;
    } cases[] = {
        {"\"WeekendEnd\"=\"24:61\"\n", false, "'24:61' is not a valid time"},
        {"\"TotalCallCharges\"=\"£1..5\"\n", false, "'1..5' is not a valid floating point value"},
        {"\"TotalCostAlarm\"=\"£2..5\"\n", true, "'2..5' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seed);
        hive.seed(QStringLiteral("[-HKEY_LOCAL_MACHINE\\Software\\Ostravane]\n"));
        hive.seed(Product(test::kTariffTimes) + Product("\"FirstRun\"=dword:00000001\n"));
        hive.seed(c.alarms ? test::AlarmsSeed(QString::fromUtf8(c.seed)) : Product(c.seed));
        window.edtTotalCostAlarm->setText(QStringLiteral("before"));
        window.edtOffPeakPerSecond->setText(QStringLiteral("before"));
        expectError(QString::fromUtf8(c.error), [this] { window.LoadSettings(); });
        EXPECT_EQ(window.edtTotalCostAlarm->text(), "before");
        EXPECT_EQ(window.edtOffPeakPerSecond->text(), "before");
    }
}

} // namespace
} // namespace dvx
