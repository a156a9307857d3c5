#pragma once

#include <QString>
#include <QTemporaryDir>

namespace dvx::bench {

// Writes a log of `records` sessions into the hive `file` (made when missing, which must hold
// no sessions yet): records named 0 to records - 1, spread over about eight years from 2019,
// each with every value a recorded session has, in the order the program writes them:
//
//   CallTime       60 + i % 3600 (a DWORD)
//   SessionStart   "dd/MM/yyyy 12:mm:00" (the minutes i % 60)
//   SessionStop    "dd/MM/yyyy 13:00:00"
//   CallCharges    "£a.bc" (a = i % 7, bc = i % 100)
//   ConnectionName "Automatic Connection"
//   Number         ""
//   Description    "Evening call number i"
//
// The records are written by a few set-wise statements in one change, not value by value, so
// that a million of them take seconds; the last is read back through the hive to check that it
// reads as the program's own. False with the reason in `error` when anything failed.
bool WriteLogHive(const QString& file, int records, QString& error);

// A hive of its own holding such a log, in a temporary folder that goes with it.
class LogHive {
public:
    explicit LogHive(int records);
    QString file() const { return dir_.filePath(QStringLiteral("hive.db")); }

    // One hive per size, made at the first call and kept for the whole run.
    static const LogHive& ofSize(int records);

private:
    QTemporaryDir dir_;
};

} // namespace dvx::bench
