#include "app/display_check.h"
#include "app/platform_choice.h"
#include "app/stall_probe.h"
#include "app/termination_signals.h"
#include "metering/regional_settings.h"
#include "platform/clock/system_clock.h"
#include "platform/connection/kernel_connection_state.h"
#include "platform/dialogs/qt_dialogs.h"
#include "platform/notify/freedesktop_notifier.h"
#include "platform/runlist/xdg_autostart_run_list.h"
#include "platform/sound/module_sound_player.h"
#include "platform/sound/sound_server_identity.h"
#include "store/registry/default_hive_path.h"
#include "store/registry/hive.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/program_settings.h"
#include "ui/alarm/alarm_window.h"
#include "ui/icons/pictures.h"
#include "ui/main_window/frm_main.h"

#include <QApplication>
#include <QFont>
#include <QScopeGuard>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <memory>

// The program reads no command line, and hands Qt none: only the program's name. It lives in the
// tray: the main window stays hidden until the user opens it from the tray icon.
int main(int, char* argv[]) {
    if (const QString reason = dvx::MissingDisplayReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 2;
    }
    std::setlocale(LC_ALL, "");
    dvx::AnnounceToSoundServer(QStringLiteral("Dorvantix"), QStringLiteral("dorvantix"));
    dvx::ChoosePlatform();
    int nameOnly = 1;
    QApplication app(nameOnly, argv);
    // Only for benchmarks: how long the window's thread goes without handling its events.
    const std::unique_ptr<dvx::StallProbe> stallProbe = dvx::StallProbe::fromEnvironment();
    QApplication::setApplicationName(QStringLiteral("Dorvantix"));
    // The desktop, its notification centre and its sound server know the program by its entry.
    QApplication::setDesktopFileName(QStringLiteral("dorvantix"));
    QApplication::setWindowIcon(dvx::ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    dvx::TerminationSignals termination;
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    dvx::Hive hive(dvx::DefaultHivePath());
    // The window never waits long for a hive another program holds: a write that finds it busy
    // is kept and tried again at the next tick.
    hive.setBusyWait(std::chrono::milliseconds(200));
    dvx::ProgramSettings settingsStore{dvx::Registry(hive)};
    dvx::SessionLogStore sessionLog{dvx::Registry(hive)};
    const dvx::RegionalSettings regional = dvx::RegionalSettings::fromProcessLocale();
    dvx::SystemClock clock;
    dvx::KernelConnectionState connection;
    dvx::QtDialogs dialogs;
    dvx::XdgAutostartRunList autostart;
    dvx::FreedesktopNotifier notifier(QStringLiteral("Dorvantix"), QStringLiteral("dorvantix"),
                                      dvx::ProgramIcon().pixmap(48, 48).toImage());
    // The alarm window is there before the start-up's first box, in whose message loop the tick
    // may already check the alarms.
    dvx::ModuleSoundPlayer alarmSound(QStringLiteral("alarm.wav"));
    dvx::TfrmAlarm alarmWindow(alarmSound);
    dvx::TfrmMain frmMain({.clock = clock,
                           .connection = connection,
                           .dialogs = dialogs,
                           .regional = regional,
                           .runList = autostart,
                           .settingsStore = settingsStore,
                           .sessionLog = sessionLog,
                           .alarmWindow = &alarmWindow,
                           .notifier = &notifier,
                           .workAside = true});
    termination.onSignal(
        [&frmMain] { frmMain.runGuarded([&frmMain] { frmMain.EndCallOnTermination(); }); });
    const auto forgetWindow = qScopeGuard([&termination] { termination.onSignal({}); });
    frmMain.runGuarded([&frmMain] { frmMain.FormCreate(); });
    return termination.requested() ? 0 : QApplication::exec();
}
