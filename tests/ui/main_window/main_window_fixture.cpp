#include "main_window_fixture.h"

#include "metering/date_time_text.h"
#include "platform/clock/clock.h"
#include "store/registry/process_hive.h"
#include "store/registry/regutils.h"
#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace dvx {

namespace {

dvx::Tariff testTariff() {
    dvx::Tariff tariff;
    tariff.peakRate = Currency::fromRaw(kPeakRaw);
    tariff.offPeakRate = Currency::fromRaw(100);
    tariff.weekendRate = Currency::fromRaw(200);
    tariff.minimumCharge = Currency::fromRaw(kMinimumRaw);
    tariff.offPeakStart = encodeTime(18, 0, 0);
    tariff.offPeakEnd = encodeTime(8, 0, 0);
    tariff.weekendStart = encodeTime(18, 0, 0);
    tariff.weekendEnd = encodeTime(8, 0, 0);
    return tariff;
}

// The tariff as the store holds it, so that start-up loads the same one.
void storeTariff(const dvx::Tariff& tariff) {
    const QString key = QStringLiteral("Software\\Ostravane\\Dorvantix");
    const RegionalSettings regional = RegionalSettings::british();
    WriteRegInteger(key, QStringLiteral("FirstRun"), 1);
    WriteRegInteger(key, QStringLiteral("PeakPerSecond"), int(tariff.peakRate.raw() / 10));
    WriteRegInteger(key, QStringLiteral("OffPeakPerSecond"), int(tariff.offPeakRate.raw() / 10));
    WriteRegInteger(key, QStringLiteral("WeekendPerSecond"), int(tariff.weekendRate.raw() / 10));
    WriteRegInteger(key, QStringLiteral("MinCallCharge"), int(tariff.minimumCharge.raw() / 10));
    WriteRegString(key, QStringLiteral("OffPeakStart"), TimeText(tariff.offPeakStart, regional));
    WriteRegString(key, QStringLiteral("OffPeakEnd"), TimeText(tariff.offPeakEnd, regional));
    WriteRegString(key, QStringLiteral("WeekendStart"), TimeText(tariff.weekendStart, regional));
    WriteRegString(key, QStringLiteral("WeekendEnd"), TimeText(tariff.weekendEnd, regional));
}

} // namespace

MainWindowTest::MainWindowTest()
    : window(MainWindowServices{clock, connection, dialogs, RegionalSettings::british(), nullptr,
                                &trayHost}) {
    UseHiveFile(store.filePath(QStringLiteral("hive.db")));
    window.Tariff = testTariff();
    storeTariff(window.Tariff);
}

void MainWindowTest::tick() {
    window.runGuarded([this] { window.DurationTimerTimer(); });
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
    ASSERT_TRUE(window.Charging);
}

QString MainWindowTest::status() const {
    return window.SB->currentMessage();
}

QString MainWindowTest::trayHint() const {
    return window.CoolTrayIcon->hint();
}

QString MainWindowTest::floatingTime() const {
    return window.frmFloat->lblTime->text();
}

QString MainWindowTest::floatingCost() const {
    return window.frmFloat->lblCost->text();
}

} // namespace dvx
