#pragma once

#include "store/registry/reg_value.h"

#include <QList>
#include <QString>

namespace dvx {

// One change that a line of REGEDIT4 text asks for.
struct RegeditChange {
    enum class Kind { ensureKey, deleteKey, setValue, deleteValue };
    Kind kind = Kind::ensureKey;
    int line = 0;
    QString key; // relative to the root
    QString name;
    RegValue value;
    friend bool operator==(const RegeditChange&, const RegeditChange&) = default;
};

struct RegeditError {
    int line = 0; // 1-based; 0 when the error is not tied to a line
    QString message;
};

// Reads REGEDIT4 text: the header line, [KEY] sections (which create the key), [-KEY]
// deletions, and "name"="text", "name"=dword:hex and "name"=- lines (the last deletes the
// value). Blank lines and lines starting with ";" are skipped. Returns false at the first line
// that cannot be read, with its number and what is wrong.
bool ParseRegedit(const QString& text, QList<RegeditChange>& changes, RegeditError& error);

} // namespace dvx
