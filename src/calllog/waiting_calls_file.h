#pragma once

#include "calllog/waiting_call.h"
#include "metering/date_time.h"
#include "store/registry/store_result.h"

#include <QList>
#include <QString>

namespace dvx {

// What must outlive the program while the hive cannot take it: the calls that wait, and the
// start moments of calls that the user dropped by ending the program during them (so that the
// call kept in the hive for them is never recorded later).
struct WaitingCalls {
    QList<WaitingCall> calls;
    QList<DateTime> droppedCallStarts;

    bool empty() const { return calls.isEmpty() && droppedCallStarts.isEmpty(); }
    bool operator==(const WaitingCalls&) const = default;
};

// A small file beside the hive that holds the waiting calls, so that they survive the end of the
// program, polite or not. It is replaced whole and synced to disk at every change, so it holds
// the calls as they were before a change or after it, never half of one; without anything to
// hold it is removed.
class WaitingCallsFile {
public:
    // The file beside the hive `hiveFile`.
    static QString besideHive(const QString& hiveFile);

    explicit WaitingCallsFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // What the file holds; nothing when there is no file. A file that cannot be read as waiting
    // calls is left where it is, under a name of its own, and read as nothing.
    WaitingCalls read() const;
    StoreResult write(const WaitingCalls& waiting) const;

private:
    QString path_;
};

} // namespace dvx
