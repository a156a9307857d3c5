#pragma once

#include <QString>

namespace dvx {

// The hive file a program uses unless told otherwise: the file named by the environment
// variable DORVANTIX_HIVE, else $XDG_DATA_HOME/dorvantix/hive.db (XDG_DATA_HOME defaulting to
// ~/.local/share).
QString DefaultHivePath();

} // namespace dvx
