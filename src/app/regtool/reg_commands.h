#pragma once

#include "store/registry/hive.h"
#include "store/registry/regedit_text.h"

#include <QString>
#include <QStringList>

namespace dvx {

// What a command prints and how it ends: the text for standard output, an error message for
// standard error, and the exit status.
struct CommandResult {
    QString output;
    QString error;
    int status = 0;
};

// The key path relative to the root, from a command-line key that may start with
// "HKEY_LOCAL_MACHINE\" or "HKLM\".
QString CommandLineKey(const QString& key);

// Writes the export to `output` as it is read, so that a large tree is never held whole.
CommandResult ExportCommand(Hive& hive, const QString& key, const RegeditSink& output);
CommandResult ImportCommand(Hive& hive, const QString& file);
CommandResult QueryKeyCommand(Hive& hive, const QString& key);
CommandResult QueryValueCommand(Hive& hive, const QString& key, const QString& name);

} // namespace dvx
