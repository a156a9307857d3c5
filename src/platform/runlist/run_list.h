#pragma once

#include <QString>

namespace dvx {

// The desktop's list of programs started at logon, holding at most one entry for this program.
// Failures are silent, as every other write of the settings: the entry is then not changed.
class RunList {
public:
    virtual ~RunList() = default;
    // Starts the program file at `programPath` at every logon from now on.
    virtual void write(const QString& programPath) = 0;
    // No longer starts the program at logon; nothing happens when it was not listed.
    virtual void remove() = 0;
};

} // namespace dvx
