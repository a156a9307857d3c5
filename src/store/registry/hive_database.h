#pragma once

#include "store/registry/sqlite_statement.h"

#include <QString>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <sys/types.h>
#include <unordered_map>

struct sqlite3;

namespace dvx {

// One state of a hive as one connection sees it: equal stamps mean that nothing was changed in
// between, by this process or any other.
struct HiveStamp {
    std::uint64_t connection = 0;
    std::int64_t othersCommits = 0;
    std::int64_t ownChanges = 0;

    bool operator==(const HiveStamp&) const = default;
};

// The statements the hive runs, prepared once per connection.
enum class HiveSql {
    findKey,
    findChild,
    readValue,
    keyById,
    insertKey,
    nextValueSeq,
    upsertValue,
    listSubKeys,
    countSubKeys,
    listValues,
    listSubKeyValues,
    deleteValue,
    deleteTreeValues,
    deleteTreeKeys,
    count
};

// The connection to one hive file. It opens the file when a call first needs it and keeps it
// open while the file stays the same; when the file is removed or replaced the next call opens
// the new one. Opening checks the file first: a file that is not a database, a truncated
// database or a database of another program is refused and left as it is.
class HiveDatabase {
public:
    enum class Access { read, write };

    // A connection for reading only never writes to the hive: it neither creates, upgrades nor
    // switches the file's journal, and refuses every write.
    enum class Mode { readWrite, readOnly };

    explicit HiveDatabase(QString file, Mode mode = Mode::readWrite);
    ~HiveDatabase();
    HiveDatabase(const HiveDatabase&) = delete;
    HiveDatabase& operator=(const HiveDatabase&) = delete;

    const QString& file() const { return file_; }
    // How long a call waits for another process that holds the hive before it fails.
    void setBusyWait(std::chrono::milliseconds wait);
    // Makes the connection ready. A missing file is created (with its folders) only for
    // writing; for reading it is a failure that creates nothing.
    bool open(Access access);
    // The next open looks at the file again, however recently it did.
    void lookAgain() { checkedAt_ = {}; }
    void close();

    SqliteStatement statement(HiveSql which);
    bool exec(const char* sql);
    // Whether the open connection may write (false for a read-only file or folder).
    bool writable() const;
    bool inTransaction() const;
    // After a committed write: copies the write-ahead log into the file and empties it.
    void moveLogIntoFile();
    // What tells one state of the hive from another as this connection sees it: the
    // connection and the commits of other connections since it opened (its own changes are
    // left at 0 for the hive to count). None when the connection is not open or cannot tell
    // (a read-only file opened as unchanging).
    std::optional<HiveStamp> stamp();
    std::int64_t lastInsertId() const;
    int changes() const;
    // The next place in each key's order of values, as far as the open write transaction has
    // learnt it: no other process writes while it holds the lock, so a key's values are
    // counted once per transaction instead of once per new value.
    std::unordered_map<std::int64_t, std::int64_t>& nextValueSeq() { return nextValueSeq_; }
    // The key the open write transaction used last, with its id (0: none).
    struct RecentKey {
        QString path;
        std::int64_t id = 0;
    };
    RecentKey& recentKey() { return recentKey_; }

    const QString& lastError() const { return error_; }
    void setError(QString error) {
        error_ = std::move(error);
        busy_ = false;
    }
    // Whether the last error was another process holding the hive longer than the wait.
    bool busy() const { return busy_; }
    // Takes the connection's own message as the last error.
    void takeSqliteError();

private:
    bool createFile();
    bool openExisting();
    bool openConnection(bool readOnly);
    bool openForReadingOnly();
    bool openAndCheck(const QByteArray& name, int flags);
    bool noteOpenFile();
    bool fileLooksSound();
    bool fileReadable();
    bool passesQuickCheck();
    bool knownSoundOrChecked();

    QString file_;
    QByteArray fileBytes_;
    Mode mode_ = Mode::readWrite;
    sqlite3* db_ = nullptr;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::chrono::steady_clock::time_point checkedAt_;
    bool readOnlyFallback_ = false;
    // Another process's write lock lasts milliseconds; waiting this long covers a slow disk.
    int busyWaitMs_ = 10000;
    std::array<struct sqlite3_stmt*, static_cast<size_t>(HiveSql::count)> statements_{};
    std::unordered_map<std::int64_t, std::int64_t> nextValueSeq_;
    RecentKey recentKey_;
    QString error_;
    bool busy_ = false;
    // Counts the connections opened, so that a stamp of one is never taken for another's.
    std::uint64_t connectionSerial_ = 0;
};

// Several changes that take effect together or not at all (write), or several reads that see
// one state of the hive (read). A write transaction takes the write lock at once, so that two
// processes never wait for each other in a deadlock. Inside an open transaction it joins that
// one: only the outermost commits.
class HiveTransaction {
public:
    enum class Kind { read, write };
    HiveTransaction(HiveDatabase& db, Kind kind);
    ~HiveTransaction();
    HiveTransaction(const HiveTransaction&) = delete;
    HiveTransaction& operator=(const HiveTransaction&) = delete;

    bool begun() const { return begun_; }
    bool commit();

private:
    HiveDatabase& db_;
    Kind kind_;
    bool outermost_ = false;
    bool begun_ = false;
};

} // namespace dvx
