#include "support/main_window_test.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "store/settings/store_keys.h"
#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"

#include <QLabel>
#include <QStatusBar>
#include <QTreeView>

namespace dvx {

MainWindowTest::MainWindowTest(Controls controls, Work work)
    : WindowProgram(controls, RegionalSettings::british(), work) {}

void MainWindowTest::seedConfiguredStore() {
    hive.seed(test::ProductSeed(QString::fromLatin1(test::kTariffTimes) +
                                QStringLiteral("\"FirstRun\"=dword:00000001\n"
                                               "\"PeakPerSecond\"=dword:00000023\n"
                                               "\"OffPeakPerSecond\"=dword:0000000a\n"
                                               "\"WeekendPerSecond\"=dword:00000014\n"
                                               "\"MinCallCharge\"=dword:00000032\n")));
}

void MainWindowTest::loadWith(const QString& productLines) {
    hive.seed(test::ProductSeed(productLines));
    run([this] { window.LoadSettings(); });
}

void MainWindowTest::storeTotals(std::int32_t seconds, Currency charges) {
    loadWith(QStringLiteral("\"TotalCallTime\"=dword:%1\n"
                            "\"TotalCallCharges\"=\"%2\"\n"
                            "\"LastResetDate\"=\"01/03/2026 09:00:00\"\n")
                 .arg(std::uint32_t(seconds), 8, 16, QLatin1Char('0'))
                 .arg(MoneyText(charges, RegionalSettings::british())));
}

void MainWindowTest::run(const std::function<void()>& handler) {
    window.runGuarded(handler);
}

void MainWindowTest::expectError(const QString& text, const std::function<void()>& handler) {
    const qsizetype before = dialogs.shown().size();
    dialogs.expect(BoxKind::applicationError);
    run(handler);
    ASSERT_EQ(dialogs.shown().size(), before + 1);
    EXPECT_EQ(dialogs.shown().last().text, text + QLatin1Char('.'));
}

void MainWindowTest::tick() {
    run([this] { window.DurationTimerTimer(); });
}

void MainWindowTest::tickAfter(std::int64_t seconds) {
    clock.advanceSeconds(seconds);
    tick();
}

void MainWindowTest::watch() {
    window.SetCharging(false);
    window.SetMonitoring(true);
}

void MainWindowTest::startAutomaticSession() {
    watch();
    connection.dialUp();
    tick();
    ASSERT_TRUE(window.meter().charging());
}

void MainWindowTest::automaticSession(std::int64_t seconds) {
    window.SetMonitoring(true);
    connection.dialUp();
    tick();
    tickAfter(seconds);
    connection.hangUp();
    tick();
}

void MainWindowTest::manualSession(std::int64_t seconds, const std::function<void()>& scriptBoxes) {
    window.SetMonitoring(false);
    run([this] { window.btnManualStartClick(); });
    tickAfter(seconds);
    dialogs.expect(BoxKind::confirm, true);
    scriptBoxes();
    run([this] { window.btnManualStopClick(); });
}

QString MainWindowTest::status() const {
    return window.SB->currentMessage();
}

QString MainWindowTest::trayHint() const {
    return window.CoolTrayIcon->hint();
}

QString MainWindowTest::floatingTime() const {
    return window.frmFloat->timeText();
}

QString MainWindowTest::floatingCost() const {
    return window.frmFloat->costText();
}

QStringList MainWindowTest::listedRows() const {
    QStringList rows;
    const QAbstractItemModel& list = *window.LVSessions->model();
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList columns;
        for (int column = 0; column < list.columnCount(); ++column)
            columns.append(list.index(row, column).data().toString());
        rows.append(columns.join(QLatin1Char('|')));
    }
    return rows;
}

QString MainWindowTest::now() const {
    return DateTimeText(clock.now(), RegionalSettings::british());
}

ConfiguredWindowTest::ConfiguredWindowTest() {
    seedConfiguredStore();
    run([this] { window.LoadSettings(); });
}

QString RecordKey(const QString& name) {
    return kSessionsKey + QLatin1Char('\\') + name;
}

} // namespace dvx
