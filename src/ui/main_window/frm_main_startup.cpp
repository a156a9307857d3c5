// Start-up and the orderly end of the program.
#include "ui/main_window/frm_main.h"

#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/registry/hive.h"
#include "store/registry/sound_hive_files.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/program_settings.h"
#include "ui/floating/frm_float.h"
#include "ui/icons/pictures.h"
#include "ui/tray/cool_tray_icon.h"

#include <QApplication>
#include <QTimer>

namespace dvx {

namespace {

// Long enough for the tray icon to be up, and for the desktop session to settle after a logon.
constexpr int kListAheadDelayMs = 1500;

} // namespace

// The steps in their order; an error stops the rest, and the program runs on in the tray with
// what was set up so far.
void TfrmMain::FormCreate() {
    setWindowIcon(ProgramIcon());
    CoolTrayIcon->setIcon(windowIcon());
    setWindowTitle(QStringLiteral("Dorvantix v1.05"));
    SetCharging(false);
    frmFloat->hide();
    frmFloat->move(0, 0);
    callLog_.start();
    if (services_.workAside && checkHiveAside())
        return;
    startWithHive();
}

// A long log's hive takes a while to check page by page (a second for a million sessions): a
// hive not yet found sound is checked on a thread of its own, and the start goes on once it is
// done, with the tray icon already up and the window's thread free meanwhile. The window's own
// uses of the hive find it busy until then, as they would while another program holds it.
// Whether it runs.
bool TfrmMain::checkHiveAside() {
    const QString file = services_.sessionLog.file();
    if (!HiveCheckWanted(file))
        return false;
    hiveCheck_ = QThread::create([file] { (void)Hive(file, Hive::ReadOnly{}).health(); });
    hiveCheck_->setParent(this);
    connect(hiveCheck_, &QThread::finished, this, [this] {
        hiveCheck_->deleteLater();
        hiveCheck_ = nullptr;
        runGuarded([this] {
            startWithHive();
            // A window opened meanwhile could not read the list yet.
            if (isVisible())
                FillSessionList();
        });
    });
    hiveCheck_->start();
    // No tick before the hive's settings are in effect.
    DurationTimer->stop();
    return true;
}

// The start once the hive may be used: its settings, the calls that waited, the meter's tick.
void TfrmMain::startWithHive() {
    const bool storeReadable = checkStore();
    if (storeReadable) {
        services_.settingsStore.WriteMissingTariffTimes(regional());
        LoadSettings();
        callLog_.priceWaitingCalls(meter_.tariff());
    }
    callBoxes_.showCall(meter_.sessionSeconds(), MoneyText(meter_.sessionCharge(), regional()));
    trayTip_.showNotConnected();
    frmFloat->showNotConnected();
    showMonitoringForCall();
    SelectChargeRate();
    DurationTimer->start();
    SetMonitoring(true);
    if (storeReadable) {
        runGuarded([this] {
            showCallLogNews(callLog_.tick());
            recordUnfinishedCall();
        });
        QTimer::singleShot(kListAheadDelayMs, this, [this] { fillSessionListAhead(); });
    }
    if (storeReadable && settings_.FirstRunFlag == 0) {
        dialogs().information(QStringLiteral(
            "This is the first time Dorvantix has been run - please configure your settings"));
    }
}

// A hive file that cannot be used is never taken for a first run: the user is told once what is
// wrong and what to do, nothing is read from it or written over it, and calls are still timed
// and kept in memory. A hive that can only be read gives its settings, and calls wait for it.
// Returns whether the settings can be read.
bool TfrmMain::checkStore() {
    const HiveHealth health = services_.settingsStore.health();
    if (health.usable())
        return true;
    if (health.state == HiveHealth::State::readOnly) {
        warnOfUnusableHive(
            QStringLiteral("%1\n\nDorvantix reads its settings from this file but cannot save "
                           "calls in it. Make it writable, or set DORVANTIX_HIVE to another "
                           "file; until then finished calls are kept and saved once it can be "
                           "written.")
                .arg(health.reason));
        callLog_.storeReadOnly();
        return true;
    }
    warnOfUnusableHive(
        QStringLiteral("%1\n\nDorvantix cannot use this file and leaves it as it is. Move it "
                       "aside, or set DORVANTIX_HIVE to another file. Until then calls are timed "
                       "and kept, and priced and saved once the file can be used.")
            .arg(health.reason));
    meter_.setTariffUnknown();
    callLog_.storeUnusable();
    return false;
}

// A session running now is dropped: it is neither recorded nor added to the totals.
void TfrmMain::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    if (hiveCheck_ != nullptr)
        hiveCheck_->wait();
    DurationTimer->stop();
    storeFloatingPosition();
    delete frmFloat;
    frmFloat = nullptr;
    CoolTrayIcon->RemoveIcon();
}

// Exit during a call is the user's choice to drop it: it is never recorded, now or later. The
// calls that wait for the hive get a few seconds to land; what still waits lands at the next
// start.
void TfrmMain::ExitProgram() {
    DurationTimer->stop();
    callLog_.dropRunningCall();
    saveCallsBeforeExit();
    emit programEnding();
    QApplication::quit();
}

} // namespace dvx
