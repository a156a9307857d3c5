#pragma once

#include <QStringList>

namespace dvx {

// Record names in the order the records were made: decimal numbers by their value (0, 1, 2, ...,
// 10), any other name after them in text order.
QStringList InRecordOrder(QStringList names);
// Where each name of that order stands among the given names: the names, each read once, sorted
// as InRecordOrder sorts them (names that are equal there keep their places).
QList<qsizetype> RecordOrder(const QStringList& names);
// Whether the record named `a` comes before the one named `b` in that order.
bool RecordNameBefore(const QString& a, const QString& b);

// The name of a new record: the number of records that exist, or the next number upward that
// no record has, so an existing record is never overwritten.
QString FreeRecordName(const QStringList& existing);

} // namespace dvx
