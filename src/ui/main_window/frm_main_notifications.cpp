// The desktop's notifications of what the user must act on, beside the windows and boxes that
// say it: on a desktop where the alarm window or a box goes unseen (another workspace, a
// full-screen program), the notification centre still says it.
#include "ui/main_window/frm_main.h"

#include "platform/dialogs/dialogs.h"
#include "platform/notify/desktop_notifier.h"

namespace dvx {

namespace {

const QString kProgram = QStringLiteral("Dorvantix");

} // namespace

// Choosing a notification opens the main window, as the tray menu's Show Main Window does.
void TfrmMain::connectNotifier() {
    if (services_.notifier == nullptr)
        return;
    services_.notifier->setOpenHandler([this] {
        runGuarded([this] {
            mnuShowStatisticsClick();
            raise();
            activateWindow();
        });
    });
}

void TfrmMain::notifyAlarm(const QString& message) {
    if (services_.notifier == nullptr)
        return;
    services_.notifier->notify({QStringLiteral("Dorvantix Alarm"), message,
                                DesktopNotification::Urgency::critical, QStringLiteral("alarm")});
}

// Told while the tick runs, so in a box that stops nothing.
void TfrmMain::warnOfUnsavedCalls(const QString& text) {
    if (services_.notifier != nullptr) {
        services_.notifier->notify(
            {kProgram, text, DesktopNotification::Urgency::critical, QStringLiteral("unsaved")});
    }
    dialogs().notice(text);
}

void TfrmMain::warnOfUnusableHive(const QString& text) {
    if (services_.notifier != nullptr) {
        services_.notifier->notify(
            {kProgram, text, DesktopNotification::Urgency::critical, QStringLiteral("hive")});
    }
    dialogs().error(text);
}

} // namespace dvx
