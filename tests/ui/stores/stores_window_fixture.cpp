#include "stores_window_fixture.h"

#include "metering/date_time_text.h"
#include "store/settings/store_keys.h"

#include <QTreeWidget>

namespace dvx {

StoresWindowTest::StoresWindowTest()
    : window(
          MainWindowServices{clock, connection, dialogs, RegionalSettings::british(), &runList}) {}

void StoresWindowTest::seedConfiguredStore() {
    hive.seed(test::ProductSeed(QString::fromLatin1(test::kTariffTimes) +
                                QStringLiteral("\"FirstRun\"=dword:00000001\n"
                                               "\"PeakPerSecond\"=dword:00000023\n"
                                               "\"OffPeakPerSecond\"=dword:0000000a\n"
                                               "\"WeekendPerSecond\"=dword:00000014\n"
                                               "\"MinCallCharge\"=dword:00000032\n")));
}

void StoresWindowTest::run(const std::function<void()>& handler) {
    window.runGuarded(handler);
}

void StoresWindowTest::expectError(const QString& text, const std::function<void()>& handler) {
    const qsizetype before = dialogs.shown().size();
    dialogs.expect(BoxKind::applicationError);
    run(handler);
    ASSERT_EQ(dialogs.shown().size(), before + 1);
    EXPECT_EQ(dialogs.shown().last().text, text + QLatin1Char('.'));
}

void StoresWindowTest::tick() {
    run([this] { window.DurationTimerTimer(); });
}

void StoresWindowTest::automaticSession(std::int64_t seconds) {
    window.SetMonitoring(true);
    connection.dialUp();
    tick();
    clock.advanceSeconds(seconds);
    tick();
    connection.hangUp();
    tick();
}

void StoresWindowTest::manualSession(std::int64_t seconds,
                                     const std::function<void()>& scriptBoxes) {
    window.SetMonitoring(false);
    run([this] { window.btnManualStartClick(); });
    clock.advanceSeconds(seconds);
    tick();
    dialogs.expect(BoxKind::confirm, true);
    scriptBoxes();
    run([this] { window.btnManualStopClick(); });
}

QStringList StoresWindowTest::listedRows() const {
    QStringList rows;
    for (int index = 0; index < window.LVSessions->topLevelItemCount(); ++index) {
        const QTreeWidgetItem* item = window.LVSessions->topLevelItem(index);
        QStringList columns;
        for (int column = 0; column < 4; ++column)
            columns.append(item->text(column));
        rows.append(columns.join(QLatin1Char('|')));
    }
    return rows;
}

QString StoresWindowTest::now() const {
    return DateTimeText(clock.now(), RegionalSettings::british());
}

QString RecordKey(const QString& name) {
    return kSessionsKey + QLatin1Char('\\') + name;
}

} // namespace dvx
