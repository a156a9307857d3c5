// Set Changes: each box written in its stored form, the reload that brings the boxes back to
// their canonical texts, the stop at a box that cannot be converted, and the logon entry.
#include "support/main_window_test.h"

#include "ui/main_window/time_of_day_picker.h"

#include "store/settings/store_keys.h"
#include "ui/floating/frm_float.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest/QTest>

namespace dvx {
namespace {

class SetChangesTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        run([this] { window.LoadSettings(); });
        ASSERT_EQ(dialogs.shown().size(), 0);
    }
    void setChanges() { window.btnSetChanges->click(); }
    std::optional<RegValue> product(const char* name) const {
        return hive.value(kProductKey, QString::fromLatin1(name));
    }
    std::optional<RegValue> alarm(const char* name) const {
        return hive.value(kAlarmsKey, QString::fromLatin1(name));
    }
};

TEST_F(SetChangesTest, RateBoxesRoundTripThroughThousandths) {
    const struct {
        const char* typed;
        std::int32_t stored;
        const char* shown;
    } cases[] = {
        {"£0.050", 50, "£0.050"},
        {"0.05", 50, "£0.050"},
        {"£ 1,234.5", 1234500, "£1,234.500"},
        {"0.0126", 13, "£0.013"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        window.edtMinimumCallCharge->setText(QString::fromUtf8(c.typed));
        setChanges();
        EXPECT_EQ(product("MinCallCharge"), RegValue::ofDword(c.stored));
        EXPECT_EQ(window.edtMinimumCallCharge->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(window.meter().tariff().minimumCharge,
                  Currency::fromRaw(std::int64_t(c.stored) * 10));
    }
    EXPECT_EQ(dialogs.shown().size(), 0);
}

TEST_F(SetChangesTest, ACostLimitIsStoredAsTypedAndShownAsMoney) {
    window.edtSessionCostAlarm->setText(QStringLiteral("2.5"));
    window.edtTotalCostAlarm->setText(QStringLiteral("£ 40"));
    setChanges();
    EXPECT_EQ(alarm("SessionCostAlarm"), RegValue::ofString(QStringLiteral("2.5")));
    EXPECT_EQ(alarm("TotalCostAlarm"), RegValue::ofString(QStringLiteral("£ 40")));
    EXPECT_EQ(window.edtSessionCostAlarm->text(), "£2.50");
    EXPECT_EQ(window.edtTotalCostAlarm->text(), "£40.00");
    EXPECT_EQ(window.meter().alarmLimits().sessionCost, Currency::fromRaw(25000));
}

TEST_F(SetChangesTest, TimeLimitBoxesTakeOnlyDigitsAndStoreWholeMinutes) {
    const struct {
        const char* typed;
        const char* kept;
        std::int32_t stored;
    } cases[] = {
        {"1a2", "12", 12}, {"", "", 0}, {"-5 min", "5", 5}, {"99999999999", "99999999999", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        window.edtSessionTimeAlarm->clear();
        QTest::keyClicks(window.edtSessionTimeAlarm, QString::fromUtf8(c.typed));
        EXPECT_EQ(window.edtSessionTimeAlarm->text(), QString::fromUtf8(c.kept));
        setChanges();
        EXPECT_EQ(alarm("SessionTimeAlarm"), RegValue::ofDword(c.stored));
        EXPECT_EQ(window.edtSessionTimeAlarm->text(), QString::number(c.stored));
    }
}

TEST_F(SetChangesTest, TheDigitFilterKeepsTheCursorAfterTheDigitsTypedBeforeIt) {
    window.edtTotalTimeAlarm->setText(QStringLiteral("15"));
    window.edtTotalTimeAlarm->setCursorPosition(1);
    QTest::keyClicks(window.edtTotalTimeAlarm, QStringLiteral("x2"));
    EXPECT_EQ(window.edtTotalTimeAlarm->text(), "125");
    EXPECT_EQ(window.edtTotalTimeAlarm->cursorPosition(), 2);
}

TEST_F(SetChangesTest, TimesPositionAndDescriptionsAreWrittenAndLoadedBack) {
    window.DTPOffPeakStart->setTime(QTime(19, 30));
    window.DTPOffPeakEnd->setTime(QTime(7, 0));
    window.DTPWeekendEnd->setTime(QTime(6, 15, 30));
    window.DTPWeekendStart->setTime(QTime(16, 0));
    window.frmFloat->move(40, 60);
    window.cbPromptForDescription->setChecked(true);
    window.edtDefaultEntryDescription->setText(QStringLiteral("Home ISP"));
    setChanges();
    EXPECT_EQ(product("OffPeakStart"), RegValue::ofString(QStringLiteral("19:30:00")));
    EXPECT_EQ(product("OffPeakEnd"), RegValue::ofString(QStringLiteral("07:00:00")));
    EXPECT_EQ(product("WeekendEnd"), RegValue::ofString(QStringLiteral("06:15:30")));
    EXPECT_EQ(product("WeekendStart"), RegValue::ofString(QStringLiteral("16:00:00")));
    EXPECT_EQ(product("FloatLeft"), RegValue::ofDword(40));
    EXPECT_EQ(product("FloatTop"), RegValue::ofDword(60));
    EXPECT_EQ(product("PromptForDescription"), RegValue::ofDword(1));
    EXPECT_EQ(product("DefaultDescription"), RegValue::ofString(QStringLiteral("Home ISP")));
    EXPECT_EQ(window.meter().tariff().weekendEnd, encodeTime(6, 15, 30));
    EXPECT_TRUE(window.settings().PromptForDescription);
    EXPECT_EQ(window.settings().DefaultDescription, "Home ISP");
    EXPECT_EQ(window.frmFloat->pos(), QPoint(40, 60));
}

TEST_F(SetChangesTest, TheLogonEntryFollowsTheCheckBox) {
    window.cbAutoStart->setChecked(true);
    setChanges();
    EXPECT_EQ(runList.entry, QCoreApplication::applicationFilePath());
    EXPECT_EQ(product("AutoRun"), RegValue::ofDword(1));
    EXPECT_TRUE(window.cbAutoStart->isChecked());
    window.cbAutoStart->setChecked(false);
    setChanges();
    EXPECT_FALSE(runList.entry.has_value());
    EXPECT_EQ(product("AutoRun"), RegValue::ofDword(0));
    setChanges(); // already absent: nothing is reported
    EXPECT_EQ(runList.removals, 2);
    EXPECT_EQ(dialogs.shown().size(), 0);
}

// The settings before the box are written, the rest are not, and nothing is reloaded.
TEST_F(SetChangesTest, ABoxThatCannotBeConvertedStopsTheSaveThere) {
    const struct {
        QLineEdit* TfrmMain::*box;
        const char* typed;
        const char* error;
        const char* lastWritten;
        const char* firstNotWritten;
    } cases[] = {
        {&TfrmMain::edtPeakPerSecond, "", "'' is not a valid floating point value",
         "OffPeakPerSecond", "PeakPerSecond"},
        {&TfrmMain::edtMinimumCallCharge, "1.2.3", "'1.2.3' is not a valid floating point value",
         nullptr, "MinCallCharge"},
        {&TfrmMain::edtSessionCostAlarm, "£2..5", "'2..5' is not a valid floating point value",
         "SessionTimeAlarm", "SessionCostAlarm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        hive.seed(QStringLiteral("[-HKEY_LOCAL_MACHINE\\Software\\Ostravane]\n"));
        QLineEdit* box = window.*(c.box);
        const QString canonical = box->text();
        box->setText(QString::fromUtf8(c.typed));
        window.edtOffPeakPerSecond->setText(QStringLiteral("£0.011"));
        expectError(QString::fromUtf8(c.error), [this] { window.btnSetChangesClick(); });
        const QString key = c.box == &TfrmMain::edtSessionCostAlarm ? kAlarmsKey : kProductKey;
        if (c.lastWritten) {
            EXPECT_TRUE(hive.value(key, QString::fromLatin1(c.lastWritten)).has_value());
        }
        EXPECT_FALSE(hive.value(key, QString::fromLatin1(c.firstNotWritten)).has_value());
        EXPECT_FALSE(product("DefaultDescription").has_value());
        EXPECT_EQ(window.edtOffPeakPerSecond->text(), "£0.011"); // not reloaded
        box->setText(canonical);
    }
}

// A cost limit that could never be read back would stop every later start; it is refused
// before it is stored, and the next start comes up cleanly.
TEST_F(SetChangesTest, AMalformedCostLimitIsRefusedSoTheNextStartStillLoads) {
    window.edtTotalCostAlarm->setText(QStringLiteral("5..0"));
    expectError(QStringLiteral("'5..0' is not a valid floating point value"),
                [this] { window.btnSetChangesClick(); });
    EXPECT_FALSE(alarm("TotalCostAlarm").has_value());
    run([this] { window.LoadSettings(); });
    EXPECT_EQ(dialogs.shown().size(), 1);
}

// A store whose tariff time is broken stops every load; Set Changes writes the pickers' times
// and loads cleanly again.
TEST_F(SetChangesTest, SetChangesRecoversAStoreWithABrokenTariffTime) {
    hive.seed(test::ProductSeed(QStringLiteral("\"OffPeakEnd\"=\"noon\"\n")));
    expectError(QStringLiteral("'noon' is not a valid time"), [this] { window.LoadSettings(); });
    setChanges();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(product("OffPeakEnd"), RegValue::ofString(QStringLiteral("08:00:00")));
}

} // namespace
} // namespace dvx
