#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/listed_session.h"
#include "metering/regional_settings.h"
#include "metering/session_row.h"
#include "store/logfile/record_file.h"

#include <QString>
#include <cstdint>

namespace dvx {

// The session list saved to a log file (.dvx) and loaded back for viewing: a header record,
// then one 208-byte record per row in list order (see log_file_record.h). The file holds no
// totals; loading adds them up from the records.
//
// Saving, in the Save Log button's handler, once the save dialog has given a file name:
//
//     SaveLogFile(sessions(), clock.now(), regional, fileName);
//                                               // an error goes to the general error handler
//     lblLogname->setText(fileName);
//
// Loading, in the Load Log button's handler, once the open dialog has given a file name:
//
//     const LogLoadResult result = LoadLogFile(fileName, regional);
//     if (result.outcome == LogLoadResult::Outcome::noFile)
//         return;
//     showSessionRows(result.rows);             // every other outcome replaces the list
//     if (result.outcome == LogLoadResult::Outcome::failed)
//         throw Error(result.message);          // totals and lblLogname stay as they were
//     if (result.outcome == LogLoadResult::Outcome::refused) {
//         showErrorBox(result.message);         // an "Error" box with one OK button
//     } else {
//         edtTotalCallTime->setText(result.totalCallTimeText);
//         edtTotalCost->setText(result.totalCostText);
//     }
//     lblLogname->setText(fileName);            // also for a refused file
//
// Neither touches the session log store.

// What the save and open dialogs offer, and the extension they append to a bare name.
inline constexpr char kLogFileDialogFilter[] = "Dorvantix Log (*.dvx)";
inline constexpr char kLogFileExtension[] = "dvx";

// Writes the rows to a new file, replacing one of that name: the header (saved at `savedAt`),
// then one record per row. A row whose Date, Duration or Cost text cannot be read stops the
// saving with the conversion error that names the text; a file that cannot be created or
// written stops it with the system's error text ("File access denied", "Disk full", ...), a
// SystemError that also holds the system's own reason.
// Either way the file keeps the header and the rows written before. Bytes that carry nothing
// are zeros, so the same rows saved at the same moment give the same file.
// A listed session is saved as the texts it shows would be read back.
void SaveLogFile(const ListedSessions& sessions, DateTime savedAt, const RegionalSettings& rs,
                 const QString& fileName);

// What loading a log file gives the main window, and what the window does with it.
struct LogLoadResult {
    enum class Outcome {
        // No file of that name: nothing changes.
        noFile,
        // Not a log file, or one of another version: the list is emptied (rows is empty),
        // `message` is shown in an "Error" box, the totals boxes keep their texts and
        // lblLogname names the file.
        refused,
        // The list shows `rows`, the totals boxes the totals, and lblLogname names the file.
        loaded,
        // Reading stopped at a record cut short by the end of the file ("Read beyond end of
        // file"), at a file that could not be opened or read (the system's error text), or at
        // a record that cannot be shown: the list shows the rows read before (the failing row
        // included when it could be shown), the general error handler shows `message`, and
        // the totals boxes and lblLogname keep their texts.
        failed,
    };

    Outcome outcome = Outcome::noFile;
    ListedSessions rows;
    QString message;
    // When the system refused to open or read the file: its own description of why.
    QString systemReason;
    // The sums of the rows' seconds and costs, and their texts for the totals boxes; set only
    // when the outcome is `loaded`.
    std::int32_t totalSeconds = 0;
    Currency totalCharges;
    QString totalCallTimeText;
    QString totalCostText;
};

// Loads the log file of that name, opened for reading only (so a read-only file loads).
LogLoadResult LoadLogFile(const QString& fileName, const RegionalSettings& rs);

// Loads the records of a log file from any source: the part of LoadLogFile after opening.
// Never gives `noFile`. Room is made for `expectedSessions` rows at once.
LogLoadResult ReadLogRecords(LogRecordSource& source, const RegionalSettings& rs,
                             qsizetype expectedSessions = 0);

} // namespace dvx
