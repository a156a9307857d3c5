// Sessions on their way into the hive: written at once when the hive takes them, kept and
// written again at every tick when it does not, and the user told while they wait.
#include "ui/main_window/frm_main.h"

#include "platform/dialogs/dialogs.h"
#include "store/sessionlog/session_log_store.h"

#include <QLabel>
#include <QScopeGuard>
#include <QStatusBar>

namespace dvx {

PendingSessions TfrmMain::makePendingSessions() {
    return PendingSessions(
        [this](const SessionRecord& record, std::int32_t seconds, Currency charges) {
            return services_.sessionLog.RecordWholeSession(record, seconds, charges, regional());
        },
        [this](const QString& key, const QString& text) {
            services_.sessionLog.WriteSessionDescription(key, text);
        });
}

// A hive held by another program for a moment is no news; any other failure is told once, until
// every kept session has landed. The status bar says how many wait while they do.
void TfrmMain::savePendingSessions() {
    if (savingSessions_)
        return;
    savingSessions_ = true;
    const auto done = qScopeGuard([this] { savingSessions_ = false; });
    const bool saved = pendingSessions_.write();
    showUnsavedSessions();
    if (saved) {
        toldOfUnsaved_ = false;
        return;
    }
    if (toldOfUnsaved_ || services_.sessionLog.lastFailureWasBusy())
        return;
    toldOfUnsaved_ = true;
    warnOfUnsavedCalls(QStringLiteral("A finished call could not be saved in %1 (%2). Dorvantix "
                                      "keeps it and saves it as soon as the file can be written.")
                           .arg(services_.sessionLog.file(), services_.sessionLog.lastError()));
}

void TfrmMain::showUnsavedSessions() {
    const qsizetype unsaved = pendingSessions_.unsaved();
    const QString text = unsaved == 0   ? QString()
                         : unsaved == 1 ? QStringLiteral("1 call not saved yet")
                                        : QStringLiteral("%1 calls not saved yet").arg(unsaved);
    writes_.write(lblUnsaved_, [text](QLabel& label) {
        label.setText(text);
        label.setAccessibleName(text);
        label.setVisible(!text.isEmpty());
    });
}

} // namespace dvx
