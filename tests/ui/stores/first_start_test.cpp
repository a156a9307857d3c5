// Start-up over the store: a fresh machine comes up cleanly and is asked to be configured once.
#include "support/main_window_test.h"

#include "ui/main_window/time_of_day_picker.h"

#include "metering/time_pattern.h"
#include "store/settings/store_keys.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>

namespace dvx {
namespace {

const QString kFirstRunMessage = QStringLiteral(
    "This is the first time Dorvantix has been run - please configure your settings");

TEST_F(MainWindowTest, AFreshMachineStartsCleanlyAndShowsTheFirstRunMessageOnce) {
    dialogs.expect(BoxKind::information);
    window.FormCreate();
    EXPECT_EQ(dialogs.texts(), QStringList{kFirstRunMessage});
    EXPECT_TRUE(window.meter().monitoring());
    EXPECT_EQ(window.SB->currentMessage(), "Monitoring For Call");
    EXPECT_EQ(window.DTPOffPeakStart->time(), QTime(18, 0));
    EXPECT_EQ(window.DTPOffPeakEnd->time(), QTime(8, 0));
    EXPECT_EQ(window.DTPWeekendStart->time(), QTime(18, 0));
    EXPECT_EQ(window.DTPWeekendEnd->time(), QTime(8, 0));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("FirstRun")), RegValue::ofDword(1));

    TfrmMain nextStart(MainWindowServices{clock, connection, dialogs, RegionalSettings::british(),
                                          runList, hive.settingsStore, hive.sessionLog});
    nextStart.FormCreate();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(nextStart.meter().monitoring());
}

TEST_F(MainWindowTest, AConfiguredStoreStartsWithItsTariffAndNoMessage) {
    seedConfiguredStore();
    hive.seed(test::ProductSeed(QStringLiteral("\"OffPeakStart\"=\"20:00:00\"\n")));
    window.FormCreate();
    EXPECT_EQ(dialogs.shown().size(), 0);
    EXPECT_EQ(window.DTPOffPeakStart->time(), QTime(20, 0));
    EXPECT_EQ(window.edtCurrentChargeRate->text(), "£0.035");
    EXPECT_TRUE(window.meter().monitoring());
}

// A Norwegian shape: month names in dates, and "kl." before times that have no seconds.
RegionalSettings norwegianShape() {
    RegionalSettings rs;
    rs.currencySymbol = QStringLiteral("kr");
    rs.decimalSeparator = QStringLiteral(",");
    rs.thousandSeparator = QStringLiteral(" ");
    rs.shortDateFormat = PlainDatePattern(QStringLiteral("%d. %b %Y"));
    rs.longTimeFormat = PlainTimePattern(QStringLiteral("kl. %H.%M %z"));
    rs.names.abbreviatedMonths[2] = QStringLiteral("mars");
    return rs;
}

// What a start writes in another locale, the next start reads: the tariff times, the reset
// date and the totals, and Set Changes writes the pickers' times in that form again.
TEST_F(MainWindowTest, AnotherLocaleReadsBackWhatItsFirstStartWrote) {
    const RegionalSettings norwegian = norwegianShape();
    TfrmMain first(MainWindowServices{clock, connection, dialogs, norwegian, runList,
                                      hive.settingsStore, hive.sessionLog});
    dialogs.expect(BoxKind::information);
    first.FormCreate();
    EXPECT_EQ(dialogs.texts(), QStringList{kFirstRunMessage});
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("OffPeakStart")),
              RegValue::ofString(QStringLiteral("kl. 18.00.00")));
    // The present moment, in whatever time zone the test runs: March 2026 at some hour.
    const QString resetDate =
        hive.value(kProductKey, QStringLiteral("LastResetDate")).value_or(RegValue()).text;
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^0[234]\\. mars 2026 kl\\. \\d\\d\\.\\d\\d\\.00$"))
            .match(resetDate)
            .hasMatch())
        << resetDate.toStdString();
    // The controls are built only now, after the start-up, as when the user first opens the
    // window from the tray.
    first.buildControls();
    EXPECT_EQ(first.DTPOffPeakStart->text(), QStringLiteral("kl. 18.00.00"));

    TfrmMain next(MainWindowServices{clock, connection, dialogs, norwegian, runList,
                                     hive.settingsStore, hive.sessionLog});
    next.FormCreate();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(next.meter().monitoring());
    next.buildControls();
    EXPECT_EQ(next.DTPWeekendEnd->time(), QTime(8, 0));
    next.DTPWeekendEnd->setTime(QTime(7, 30));
    next.btnSetChangesClick();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("WeekendEnd")),
              RegValue::ofString(QStringLiteral("kl. 07.30.00")));
}

// The program writes no tariff time over a stored one: a broken time stops the start-up, which
// leaves the program in the tray without monitor mode until the settings are set again.
TEST_F(MainWindowTest, ABrokenStoredTariffTimeStopsTheStartUp) {
    seedConfiguredStore();
    hive.seed(test::ProductSeed(QStringLiteral("\"WeekendStart\"=\"\"\n")));
    expectError(QStringLiteral("'' is not a valid time"), [this] { window.FormCreate(); });
    EXPECT_FALSE(window.meter().monitoring());
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("WeekendStart")), RegValue::ofString({}));
}

} // namespace
} // namespace dvx
