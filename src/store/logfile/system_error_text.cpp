#include "store/logfile/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace dvx {

QString SystemErrorText(int errnum) {
    switch (errnum) {
    case ENOENT:
        return QStringLiteral("File not found");
    case EACCES:
    case EPERM:
        return QStringLiteral("File access denied");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disk full");
    default:
        return QString::fromLocal8Bit(std::strerror(errnum));
    }
}

SystemError::SystemError(int errnum)
    : Error(SystemErrorText(errnum)), reason_(QString::fromLocal8Bit(std::strerror(errnum))) {}

} // namespace dvx
