// Saving the session list to a log file and loading one back.
#include "ui/main_window/frm_main.h"

#include "metering/conversion_error.h"
#include "metering/session_list_model.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/logfile/log_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace dvx {

namespace {

// Both dialogs open in the program's folder and list log files only.
FileDialogOptions logFileDialogOptions() {
    return {QCoreApplication::applicationDirPath(), QString::fromLatin1(kLogFileDialogFilter),
            QString::fromLatin1(kLogFileExtension)};
}

QString fullFileName(const QString& chosen) {
    return QFileInfo(chosen).absoluteFilePath();
}

void showLogName(QLabel& label, const QString& fileName) {
    label.setText(fileName);
    label.adjustSize();
}

} // namespace

// A failed save leaves the log name as it was.
void TfrmMain::btnSaveLogClick() {
    buildControls();
    const std::optional<QString> chosen = dialogs().saveFileName(logFileDialogOptions());
    if (!chosen)
        return;
    const QString fileName = fullFileName(*chosen);
    SaveLogFile(sessionList_->sessions(), clock().now(), regional(), fileName);
    showLogName(*lblLogname, fileName);
}

// The loaded log is only shown: the session log store and its totals stay as they are.
void TfrmMain::btnLoadLogClick() {
    buildControls();
    const std::optional<QString> chosen = dialogs().openFileName(logFileDialogOptions());
    if (!chosen)
        return;
    const QString fileName = fullFileName(*chosen);
    const LogLoadResult result = LoadLogFile(fileName, regional());
    if (result.outcome == LogLoadResult::Outcome::noFile)
        return;
    sessionList_->setSessions(result.rows);
    switch (result.outcome) {
    case LogLoadResult::Outcome::failed:
        throw Error(result.message);
    case LogLoadResult::Outcome::refused:
        dialogs().error(result.message);
        break;
    default:
        edtTotalCallTime->setText(result.totalCallTimeText);
        edtTotalCost->setText(result.totalCostText);
        break;
    }
    showLogName(*lblLogname, fileName);
}

} // namespace dvx
