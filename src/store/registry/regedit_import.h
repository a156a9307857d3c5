#pragma once

#include "store/registry/hive.h"
#include "store/registry/regedit_parser.h"

#include <QByteArray>
#include <QString>

namespace dvx {

// The text of a REGEDIT4 file: UTF-8 (a byte order mark is skipped) or UTF-16 with its byte
// order mark, as the original registry editor writes it. False, with the line, when the bytes
// are not valid text.
bool DecodeRegeditFile(const QByteArray& bytes, QString& text, RegeditError& error);

// Applies the changes to the hive in one transaction: all of them or, on the first failure,
// none. Deleting a key or value that does not exist is no failure.
bool ApplyRegedit(Hive& hive, const QList<RegeditChange>& changes, RegeditError& error);

// Decodes, reads and applies a REGEDIT4 file's content.
bool ImportRegedit(Hive& hive, const QByteArray& bytes, RegeditError& error);

} // namespace dvx
