// What the window shows of the calls on their way into the hive: how many wait, in the status bar
// and the tray tip; a problem, told once in a box that stops nothing; a hive that can be used
// again, whose settings are then loaded. Before the program ends, the waiting calls get a few
// seconds to land; what still waits is kept for the next start.
#include "ui/main_window/frm_main.h"

#include "platform/dialogs/dialogs.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/program_settings.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>
#include <chrono>

namespace dvx {

namespace {

// How long the end of the program waits for a hive that another program holds.
constexpr std::chrono::seconds kExitPatience{5};

QString UnsavedText(qsizetype unsaved) {
    return unsaved == 0   ? QString()
           : unsaved == 1 ? QStringLiteral("1 call not saved yet")
                          : QStringLiteral("%1 calls not saved yet").arg(unsaved);
}

} // namespace

void TfrmMain::showCallLogNews(const CallLogReport& report) {
    showUnsavedSessions(report.unsaved);
    if (report.newProblem)
        warnOfUnsavedCalls(*report.newProblem);
    if (report.storeUsableAgain)
        storeUsableAgain();
}

void TfrmMain::showUnsavedSessions(qsizetype unsaved) {
    const QString text = UnsavedText(unsaved);
    trayTip_.showUnsaved(text);
    writes_.write(lblUnsaved_, [text](QLabel& label) {
        label.setText(text);
        label.setAccessibleName(text);
        label.setVisible(!text.isEmpty());
    });
}

// The calls timed while the hive could not be read are priced with its tariff, at the rate in
// force at their start, and land at the next ticks.
void TfrmMain::storeUsableAgain() {
    services_.settingsStore.WriteMissingTariffTimes(regional());
    LoadSettings();
    callLog_.priceWaitingCalls(meter_.tariff());
    recordUnfinishedCall();
    showStatus(QStringLiteral("Dorvantix can use %1 again").arg(services_.sessionLog.file()));
}

void TfrmMain::saveCallsBeforeExit() {
    const qsizetype unsaved = callLog_.unsaved();
    if (unsaved == 0)
        return;
    showStatus(
        unsaved == 1
            ? QStringLiteral("Saving 1 waiting call before Dorvantix ends...")
            : QStringLiteral("Saving %1 waiting calls before Dorvantix ends...").arg(unsaved));
    QCoreApplication::processEvents();
    const qsizetype left = callLog_.saveBeforeExit(kExitPatience);
    showUnsavedSessions(left);
}

} // namespace dvx
