#pragma once

#include "store/registry/hive.h"

#include <QString>

namespace dvx {

// The hive file a process uses unless told otherwise: the file named by the environment
// variable DORVANTIX_HIVE, else $XDG_DATA_HOME/dorvantix/hive.db (XDG_DATA_HOME defaulting to
// ~/.local/share).
QString DefaultHivePath();

// The hive the registry functions act on, opened on first use.
Hive& ProcessHive();

// What the process's hive file is like (see Hive::health): a program asks this at start, so
// that a hive it cannot use is never taken for a first run.
HiveHealth ProcessHiveHealth();

// Points the process at another hive file, closing the current one; an empty path returns to
// the default. For tests and tools.
void UseHiveFile(const QString& path);

} // namespace dvx
