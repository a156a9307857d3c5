// Export CSV: the sessions of the chosen period, or of all, saved for a spreadsheet.
#include "platform/dialogs/dialogs.h"
#include "store/history/history_export.h"
#include "store/history/plain_forms.h"
#include "store/history/session_choice.h"
#include "ui/history/frm_history.h"

#include <QCheckBox>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace dvx {

namespace {

bool WriteWhole(const QString& fileName, const QByteArray& bytes, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

void TfrmHistory::btnExportCsvClick() {
    const BillingPeriod* period = cbAllPeriods->isChecked() ? nullptr : chosenPeriod();
    const QString proposed =
        period == nullptr
            ? QStringLiteral("dorvantix-sessions.csv")
            : QStringLiteral("dorvantix-sessions-%1.csv").arg(IsoDateText(period->start));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::optional<QString> fileName = services_.dialogs.saveFileName(
        {QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(proposed),
         QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv")});
    if (!fileName)
        return;
    const QList<HistorySession> chosen =
        period == nullptr
            ? SessionsStartedBetween(sessions_, std::nullopt, std::nullopt)
            : SessionsStartedBetween(sessions_, period->start, period->end.addDays(-1));
    QString error;
    if (!WriteWhole(*fileName, SessionsText(chosen, ExportFormat::csv, services_.regional).toUtf8(),
                    error))
        services_.dialogs.error(QStringLiteral("Cannot save %1: %2").arg(*fileName, error));
}

} // namespace dvx
