#include "store/logfile/log_file.h"
#include "store/logfile/log_file_header.h"
#include "store/logfile/log_session_record.h"

namespace dvx {

void SaveLogFile(const ListedSessions& sessions, DateTime savedAt, const RegionalSettings& rs,
                 const QString& fileName) {
    const Windows1252& codePage = Windows1252::kept();
    LogRecordFileWriter file(fileName);
    file.write(encodeLogRecord(logFileHeader(savedAt)));
    for (const ListedSession& session : sessions) {
        // Read first: a session that cannot be read leaves no record behind.
        const LogSessionRecord record = sessionRecordOf(session, rs);
        encodeSessionRecord(record, codePage, file.next());
    }
    file.close();
}

} // namespace dvx
