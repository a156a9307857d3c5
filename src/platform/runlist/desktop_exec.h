#pragma once

#include <QString>

namespace dvx {

// The Exec= value of a desktop entry that runs the program file at `path` with no arguments.
// A plain path stands as it is; one with blanks, quotes or other reserved characters is quoted
// and escaped, so the desktop starts exactly that file and nothing else.
QString DesktopExecValue(const QString& path);

} // namespace dvx
