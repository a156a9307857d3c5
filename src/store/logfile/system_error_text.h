#pragma once

#include <QString>

namespace dvx {

// The text shown for a failed file operation with the C library's error number `errnum`:
// "File not found", "File access denied", "Disk full", or the system's own description.
QString SystemErrorText(int errnum);

} // namespace dvx
