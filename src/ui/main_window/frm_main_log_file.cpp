// Saving the session list to a log file and loading one back.
#include "ui/main_window/frm_main.h"

#include "metering/conversion_error.h"
#include "metering/session_list_model.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/logfile/log_file.h"
#include "store/logfile/system_error_text.h"
#include "store/settings/program_settings.h"
#include "ui/main_window/log_dialog_folder.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace dvx {

namespace {

// Both dialogs list log files only.
FileDialogOptions logFileDialogOptions(const QString& folder) {
    return {folder, QString::fromLatin1(kLogFileDialogFilter),
            QString::fromLatin1(kLogFileExtension)};
}

QString fullFileName(const QString& chosen) {
    return QFileInfo(chosen).absoluteFilePath();
}

void showLogName(QLabel& label, const QString& fileName) {
    label.setText(fileName);
    label.adjustSize();
}

// What the error box adds below the error's text: the file's full name and, when the system
// refused it, the system's reason.
QString failureDetail(const QString& what, const QString& fileName, const QString& reason) {
    QString detail = what.arg(fileName);
    if (!reason.isEmpty())
        detail += QStringLiteral(": ") + reason;
    return detail + QLatin1Char('.');
}

QString saveFailure(const QString& fileName, const QString& reason = {}) {
    return failureDetail(QStringLiteral("The log could not be saved as %1"), fileName, reason);
}

QString loadFailure(const QString& fileName, const QString& reason) {
    return failureDetail(QStringLiteral("The log %1 could not be loaded"), fileName, reason);
}

} // namespace

// The dialogs open where the user can keep a file: the program's folder when it is writable
// (it is not once installed), else where the last log went, else the documents folder.
std::optional<QString> TfrmMain::chooseLogFile(bool forSaving) {
    ProgramSettings& settings = services_.settingsStore;
    const FileDialogOptions options = logFileDialogOptions(LogDialogFolder(
        LogFolderCandidatesHere(settings.ReadLogFolder()), FileSystemFolderProbe()));
    const std::optional<QString> chosen =
        forSaving ? dialogs().saveFileName(options) : dialogs().openFileName(options);
    if (!chosen)
        return std::nullopt;
    const QString fileName = fullFileName(*chosen);
    settings.WriteLogFolder(QFileInfo(fileName).absolutePath());
    return fileName;
}

// A failed save leaves the log name as it was.
void TfrmMain::btnSaveLogClick() {
    buildControls();
    const std::optional<QString> fileName = chooseLogFile(true);
    if (!fileName)
        return;
    callLog_.settleList();
    try {
        SaveLogFile(sessionList_->sessions(), clock().now(), regional(), *fileName);
    } catch (const SystemError& error) {
        throw DetailedError(error.text(), saveFailure(*fileName, error.reason()));
    } catch (const Error& error) {
        throw DetailedError(error.text(), saveFailure(*fileName));
    }
    showLogName(*lblLogname, *fileName);
}

// The loaded log is only shown: the session log store and its totals stay as they are.
void TfrmMain::btnLoadLogClick() {
    buildControls();
    const std::optional<QString> chosen = chooseLogFile(false);
    if (!chosen)
        return;
    const QString& fileName = *chosen;
    const LogLoadResult result = LoadLogFile(fileName, regional());
    if (result.outcome == LogLoadResult::Outcome::noFile)
        return;
    sessionList_->setSessions(result.rows);
    switch (result.outcome) {
    case LogLoadResult::Outcome::failed:
        throw DetailedError(result.message, loadFailure(fileName, result.systemReason));
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
