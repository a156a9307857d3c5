#pragma once

#include "metering/conversion_error.h"

#include <QString>

namespace dvx {

// The text shown for a failed file operation with the C library's error number `errnum`:
// "File not found", "File access denied", "Disk full", or the system's own description.
QString SystemErrorText(int errnum);

// A file operation the system refused: its text is SystemErrorText, and the system's own
// description of the refusal ("Permission denied", "Read-only file system") is kept beside it.
class SystemError : public Error {
public:
    explicit SystemError(int errnum);
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

} // namespace dvx
