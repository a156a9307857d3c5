#pragma once

#include "store/history/history_export.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace dvx {

// What the command line asks for.
struct LogRequest {
    enum class What { sessions, periods };
    What what = What::sessions;
    ExportFormat format = ExportFormat::text;
    // Sessions that started from the first day up to and including the last; unbounded when
    // not given.
    std::optional<QDate> from;
    std::optional<QDate> to;
    // The periods' start day; the program's own when not given.
    std::optional<int> startDay;
    QString hive;
    bool help = false;
};

// The request, or the message that says what is wrong with the line. `args` are the arguments
// after the program's name.
std::variant<LogRequest, QString> ParseLogCommandLine(const QStringList& args);

extern const char* const kLogToolHelp;

} // namespace dvx
