#include "store/logfile/log_file.h"
#include "store/logfile/log_file_header.h"
#include "store/logfile/session_record.h"

namespace dvx {

void SaveLogFile(const SessionRows& rows, DateTime savedAt, const RegionalSettings& rs,
                 const QString& fileName) {
    Windows1252 codePage;
    LogRecordFileWriter file(fileName);
    file.write(encodeLogRecord(logFileHeader(savedAt)));
    for (const SessionRow& row : rows)
        file.write(encodeLogRecord(sessionRecordOf(row, rs, codePage)));
    file.close();
}

} // namespace dvx
