#pragma once

#include "app/logtool/log_command_line.h"
#include "metering/regional_settings.h"
#include "store/registry/hive.h"

#include <QDateTime>
#include <QString>

namespace dvx {

// What a command prints and how it ends: the text for standard output, the messages for
// standard error, and the exit status.
struct LogCommandResult {
    QString output;
    QString errors;
    int status = 0;
};

// Runs the sessions or periods command over a hive opened for reading only; `now` places the
// running period.
LogCommandResult RunLogCommand(const LogRequest& request, Hive& hive,
                               const RegionalSettings& regional, const QDateTime& now);

} // namespace dvx
