#include "store/registry/hive_database.h"

#include "store/registry/giving_way.h"
#include "store/registry/hive_schema.h"
#include "store/registry/sound_hive_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dvx {

namespace {

constexpr std::chrono::milliseconds kReadRecheckInterval{50};

constexpr const char* kSql[] = {
    // findKey
    "SELECT id FROM hive_key WHERE folded_path = ?1",
    // findChild
    "SELECT id FROM hive_key WHERE parent = ?1 AND folded_name = ?2",
    // readValue
    "SELECT k.id, v.type, v.data FROM hive_key k LEFT JOIN hive_value v "
    "ON v.key = k.id AND v.folded_name = ?2 WHERE k.folded_path = ?1",
    // keyById
    "SELECT parent, name FROM hive_key WHERE id = ?1",
    // insertKey
    "INSERT INTO hive_key(parent, name, folded_name, folded_path) VALUES(?1, ?2, ?3, ?4)",
    // nextValueSeq
    "SELECT coalesce(max(seq), 0) + 1 FROM hive_value WHERE key = ?1",
    // upsertValue: ?6 is the new value's place in its key's order
    "INSERT INTO hive_value(key, folded_name, seq, name, type, data) VALUES(?1, ?3, ?6, ?2, "
    "?4, ?5) ON CONFLICT(key, folded_name) DO UPDATE SET type = excluded.type, data = "
    "excluded.data",
    // listSubKeys
    "SELECT id, name FROM hive_key WHERE parent = ?1 ORDER BY folded_name",
    // countSubKeys
    "SELECT count(*) FROM hive_key WHERE parent = ?1",
    // listValues
    "SELECT name, type, data FROM hive_value WHERE key = ?1 ORDER BY seq",
    // listSubKeyValues: a subkey without values comes as one row whose value columns are null
    "SELECT k.id, k.name, v.name, v.type, v.data FROM hive_key k LEFT JOIN hive_value v "
    "ON v.key = k.id WHERE k.parent = ?1 ORDER BY k.folded_name, v.seq",
    // deleteValue
    "DELETE FROM hive_value WHERE key = ?1 AND folded_name = ?2",
    // deleteTreeValues: ?2 is the path followed by "\", ?3 by the next character, "]"
    "DELETE FROM hive_value WHERE key IN (SELECT id FROM hive_key WHERE folded_path = ?1 "
    "OR (folded_path >= ?2 AND folded_path < ?3))",
    // deleteTreeKeys
    "DELETE FROM hive_key WHERE folded_path = ?1 OR (folded_path >= ?2 AND folded_path < ?3)",
};
static_assert(std::size(kSql) == static_cast<size_t>(HiveSql::count));

bool FolderWritable(const QString& file) {
    return ::access(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), W_OK | X_OK) ==
           0;
}

std::uint32_t BigEndian(const QByteArray& bytes, int offset, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    }
    return value;
}

// Gives the file at `from` the name `to` unless `to` exists (then true as well: another
// process made the hive first), and makes the new name durable.
bool MoveIntoPlace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST) {
            return true;
        }
        // A file system without that kind of rename still knows hard links.
        if (::link(from.constData(), to.constData()) != 0) {
            return errno == EEXIST;
        }
    }
    const int folder =
        ::open(QFile::encodeName(QFileInfo(QFile::decodeName(to)).absolutePath()).constData(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace

HiveDatabase::HiveDatabase(QString file, Mode mode)
    : file_(std::move(file)), fileBytes_(QFile::encodeName(file_)), mode_(mode) {}

HiveDatabase::~HiveDatabase() {
    close();
}

void HiveDatabase::close() {
    nextValueSeq_.clear();
    recentKey_ = {};
    for (auto*& statement : statements_) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    sqlite3_close(db_);
    db_ = nullptr;
}

bool HiveDatabase::open(Access access) {
    if (access == Access::write && mode_ == Mode::readOnly) {
        error_ = QStringLiteral("the hive %1 is open for reading only").arg(file_);
        return false;
    }
    if (db_ != nullptr && inTransaction()) {
        return true;
    }
    // Whether the file is still the one open: looked up for every write, so that no write goes
    // to a file that was removed or replaced, and for reads once per short interval, so that
    // the many reads of filling a list cost no look-up each.
    const auto now = std::chrono::steady_clock::now();
    if (db_ != nullptr && access == Access::read && now - checkedAt_ < kReadRecheckInterval) {
        return true;
    }
    struct stat info {};
    const bool exists = ::stat(fileBytes_.constData(), &info) == 0;
    const int lookupError = errno;
    checkedAt_ = now;
    // A connection that may only read is opened again for a write, in case the hive may be
    // written by now.
    const bool canServe = access == Access::read || !readOnlyFallback_;
    if (db_ != nullptr && canServe && exists && info.st_dev == device_ && info.st_ino == inode_) {
        return true;
    }
    close();
    if (!exists && lookupError != ENOENT) {
        // The file may be there behind a folder that may not be entered: never take that for
        // a hive that is missing.
        error_ = QStringLiteral("cannot reach the hive %1: %2")
                     .arg(file_, QString::fromLocal8Bit(std::strerror(lookupError)));
        return false;
    }
    if (!exists) {
        if (access == Access::read) {
            error_ = QStringLiteral("the hive %1 does not exist").arg(file_);
            return false;
        }
        const QString folder = QFileInfo(file_).absolutePath();
        if (!QDir().mkpath(folder)) {
            error_ = QStringLiteral("cannot create the folder %1").arg(folder);
            return false;
        }
    }
    return (exists || createFile()) && openExisting();
}

// Builds a complete hive in a file of its own beside the hive and then moves it into place
// unless another process has created the hive meanwhile: nobody ever sees a half-made hive.
bool HiveDatabase::createFile() {
    const QByteArray temporary = fileBytes_ + ".new-" + QByteArray::number(::getpid());
    ::unlink(temporary.constData());
    error_.clear();
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(temporary.constData(), &db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
              PrepareHiveSchema(db, error_) &&
              sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok && error_.isEmpty()) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_close(db);
    if (ok && !MoveIntoPlace(temporary, fileBytes_)) {
        error_ = QStringLiteral("cannot create %1: %2").arg(file_, qt_error_string(errno));
        ok = false;
    }
    ::unlink(temporary.constData());
    return ok;
}

// A file that is not an SQLite database, or whose header promises more pages than it holds,
// is left alone. A crash may leave a journal or write-ahead log that completes the file: then
// the size is not judged here but by the check after the database has recovered.
//
// The file is read through the connection's own handle, before anything else reads it. A handle
// opened apart from the database library would drop, once closed, every lock this process holds
// on the file (such locks belong to the process, and closing any handle of the file ends them):
// another program could then take the hive for unused while a connection of this process still
// writes it, and remove its write-ahead log with that connection's latest changes.
bool HiveDatabase::fileLooksSound() {
    sqlite3_file* handle = nullptr;
    sqlite3_int64 size = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &handle) != SQLITE_OK ||
        handle == nullptr || handle->pMethods == nullptr ||
        handle->pMethods->xFileSize(handle, &size) != SQLITE_OK) {
        error_ = QStringLiteral("cannot read %1").arg(file_);
        return false;
    }
    if (size == 0) {
        return true;
    }
    QByteArray header(100, '\0');
    const int read = handle->pMethods->xRead(handle, header.data(), int(header.size()), 0);
    if (read != SQLITE_OK && read != SQLITE_IOERR_SHORT_READ) {
        error_ = QStringLiteral("cannot read %1").arg(file_);
        return false;
    }
    if (read != SQLITE_OK || !header.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        error_ = QStringLiteral("%1 is not a hive: it is not a database").arg(file_);
        return false;
    }
    std::uint32_t pageSize = BigEndian(header, 16, 2);
    pageSize = pageSize == 1 ? 65536 : pageSize;
    const std::uint32_t pages = BigEndian(header, 28, 4);
    const bool pagesValid = pages != 0 && BigEndian(header, 24, 4) == BigEndian(header, 92, 4);
    const bool journalWaiting = QFileInfo(file_ + QStringLiteral("-journal")).size() > 0 ||
                                QFileInfo(file_ + QStringLiteral("-wal")).size() > 0;
    if (pagesValid && !journalWaiting && qint64(pages) * pageSize > size) {
        error_ = QStringLiteral("the hive %1 is truncated").arg(file_);
        return false;
    }
    return true;
}

// The file may be read by this process, or why not: told before the database library opens it.
bool HiveDatabase::fileReadable() {
    if (::access(fileBytes_.constData(), R_OK) == 0) {
        return true;
    }
    error_ = QStringLiteral("cannot read %1: %2")
                 .arg(file_, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

bool HiveDatabase::openExisting() {
    if (!fileReadable()) {
        return false;
    }
    if (mode_ == Mode::readOnly) {
        return openForReadingOnly();
    }
    // A file that may only be read is read as it stands, so that nothing is made beside it: the
    // log files the database would make there take the file's mode, and would keep the hive
    // from being written even after the file may be.
    const bool noLogWaiting = !QFileInfo::exists(file_ + QStringLiteral("-wal"));
    if (::access(fileBytes_.constData(), W_OK) != 0 && errno == EACCES && noLogWaiting) {
        return openConnection(true);
    }
    if (openConnection(false)) {
        return true;
    }
    // In a folder that may not be written the database cannot make the log files it keeps
    // beside itself, and could not even be read. Such a hive is read as it stands in its file
    // (which holds every commit: the log is emptied into it after each write) and never
    // written.
    const QString why = error_;
    if (!FolderWritable(file_) && noLogWaiting && openConnection(true)) {
        return true;
    }
    error_ = why;
    return false;
}

namespace {

// Serial numbers of the connections this process opens, whichever hive they belong to.
std::uint64_t NextConnectionSerial() {
    static std::atomic<std::uint64_t> last = 0;
    return ++last;
}

} // namespace

// Opens the connection and looks at the file through it: its header, then its every page
// unless it is known sound.
bool HiveDatabase::openAndCheck(const QByteArray& name, int flags) {
    // One connection serves one thread: no mutex of the library's own is needed.
    if (sqlite3_open_v2(name.constData(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        takeSqliteError();
        return false;
    }
    connectionSerial_ = NextConnectionSerial();
    sqlite3_busy_timeout(db_, busyWaitMs_);
    sqlite3_extended_result_codes(db_, 1);
    GiveWayOffTheMainThread(db_);
    return fileLooksSound() && knownSoundOrChecked();
}

// Which file the open connection has, so that one put in its place is noticed.
bool HiveDatabase::noteOpenFile() {
    struct stat info {};
    if (::stat(fileBytes_.constData(), &info) != 0) {
        return false;
    }
    device_ = info.st_dev;
    inode_ = info.st_ino;
    return true;
}

bool HiveDatabase::openConnection(bool readOnly) {
    const QByteArray name =
        readOnly ? "file:" + QUrl::toPercentEncoding(file_, "/") + "?immutable=1" : fileBytes_;
    const int flags = readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE;
    readOnlyFallback_ = readOnly;
    bool ok = openAndCheck(name, flags) && exec("PRAGMA synchronous = FULL") &&
              PrepareHiveSchema(db_, error_);
    // A hive is made with write-ahead logging, in which readers never wait for a writer. An
    // older one of our own is switched when that needs no waiting; until then (read-only,
    // or busy) its rollback journal serves as well.
    if (ok) {
        sqlite3_busy_timeout(db_, 0);
        sqlite3_exec(db_, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
        sqlite3_busy_timeout(db_, busyWaitMs_);
    }
    if (!ok || !noteOpenFile()) {
        close();
        return false;
    }
    return true;
}

// A connection that reads the hive as other processes go on writing it, and never writes: the
// hive is checked as every connection checks it, but neither made, upgraded nor switched to
// another journal.
bool HiveDatabase::openForReadingOnly() {
    readOnlyFallback_ = false;
    if (!openAndCheck(fileBytes_, SQLITE_OPEN_READONLY) || !CheckHiveSchema(db_, error_) ||
        !noteOpenFile()) {
        close();
        return false;
    }
    return true;
}

// Reads every page once: a damaged or cut-off database is refused before anything is written.
// A file found sound before, as it still stands, is not checked page by page again, nor while
// another thread checks it.
bool HiveDatabase::knownSoundOrChecked() {
    const std::optional<HiveFileState> state = StateOfHiveFile(fileBytes_);
    if (!state) {
        return passesQuickCheck();
    }
    // Another thread's check holds the hive as another program's lock would. A connection that
    // writes is the window's: it finds the hive busy at once, and tries again later.
    const std::chrono::milliseconds patience(mode_ == Mode::readOnly ? busyWaitMs_ : 0);
    if (!WaitForCheckOf(*state, patience)) {
        error_ = QStringLiteral("the hive %1 is being checked").arg(file_);
        busy_ = true;
        return false;
    }
    if (KnownSound(*state)) {
        return true;
    }
    CheckBegins(*state);
    const bool sound = passesQuickCheck();
    if (sound) {
        RememberSound(*state);
    }
    CheckEnds(*state);
    return sound;
}

bool HiveDatabase::passesQuickCheck() {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA quick_check(1)", -1, &statement, nullptr) != SQLITE_OK) {
        takeSqliteError();
        return false;
    }
    bool ok = sqlite3_step(statement) == SQLITE_ROW;
    if (!ok) {
        takeSqliteError();
    } else {
        const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        ok = qstrcmp(verdict, "ok") == 0;
        setError(QString::fromUtf8(verdict));
    }
    sqlite3_finalize(statement);
    // A hive held by another process beyond the wait is busy, not damaged.
    if (!ok && !busy_) {
        error_ = QStringLiteral("the hive %1 is damaged: %2").arg(file_, error_);
    }
    return ok;
}

SqliteStatement HiveDatabase::statement(HiveSql which) {
    auto& cached = statements_[static_cast<size_t>(which)];
    if (cached == nullptr && db_ != nullptr) {
        if (sqlite3_prepare_v3(db_, kSql[static_cast<size_t>(which)], -1, SQLITE_PREPARE_PERSISTENT,
                               &cached, nullptr) != SQLITE_OK) {
            takeSqliteError();
            cached = nullptr;
        }
    }
    return SqliteStatement(cached);
}

bool HiveDatabase::exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        takeSqliteError();
        return false;
    }
    return true;
}

// The commit is durable once it is in the write-ahead log. Copying it into the file at once
// and emptying the log keeps the file complete between calls: a copy of the file is a full
// backup, and a file put in the hive's place never meets a log that is not its own. This
// never waits: when another process is reading or writing just then, as much as can be is
// copied and a later write empties the log. An empty log is left alone: emptying it again
// would tell every other connection that the hive changed.
void HiveDatabase::moveLogIntoFile() {
    struct stat log {};
    if (::stat(sqlite3_filename_wal(sqlite3_db_filename(db_, "main")), &log) != 0 ||
        log.st_size == 0) {
        return;
    }
    // What the database itself writes into a sound file leaves it sound.
    const std::optional<HiveFileState> before = StateOfHiveFile(fileBytes_);
    sqlite3_busy_timeout(db_, 0);
    sqlite3_wal_checkpoint_v2(db_, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db_, busyWaitMs_);
    if (before && KnownSound(*before)) {
        if (const std::optional<HiveFileState> after = StateOfHiveFile(fileBytes_)) {
            RememberSound(*after);
        }
    }
}

void HiveDatabase::setBusyWait(std::chrono::milliseconds wait) {
    busyWaitMs_ = static_cast<int>(wait.count());
    if (db_ != nullptr) {
        sqlite3_busy_timeout(db_, busyWaitMs_);
    }
}

bool HiveDatabase::writable() const {
    return db_ != nullptr && !readOnlyFallback_ && sqlite3_db_readonly(db_, "main") == 0;
}

bool HiveDatabase::inTransaction() const {
    return db_ != nullptr && sqlite3_get_autocommit(db_) == 0;
}

std::int64_t HiveDatabase::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

std::optional<HiveStamp> HiveDatabase::stamp() {
    if (db_ == nullptr || readOnlyFallback_)
        return std::nullopt;
    sqlite3_stmt* version = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &version, nullptr) != SQLITE_OK)
        return std::nullopt;
    std::optional<HiveStamp> stamp;
    if (sqlite3_step(version) == SQLITE_ROW)
        stamp = HiveStamp{connectionSerial_, sqlite3_column_int64(version, 0), 0};
    sqlite3_finalize(version);
    return stamp;
}

int HiveDatabase::changes() const {
    return sqlite3_changes(db_);
}

void HiveDatabase::takeSqliteError() {
    error_ = db_ != nullptr ? QString::fromUtf8(sqlite3_errmsg(db_))
                            : QStringLiteral("cannot open %1").arg(file_);
    const int code = db_ != nullptr ? sqlite3_extended_errcode(db_) & 0xff : SQLITE_OK;
    busy_ = code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

HiveTransaction::HiveTransaction(HiveDatabase& db, Kind kind) : db_(db), kind_(kind) {
    if (db_.inTransaction()) {
        begun_ = true;
        return;
    }
    outermost_ = true;
    db_.nextValueSeq().clear();
    db_.recentKey() = {};
    begun_ = db_.exec(kind == Kind::write ? "BEGIN IMMEDIATE" : "BEGIN");
}

HiveTransaction::~HiveTransaction() {
    if (outermost_ && begun_ && db_.inTransaction()) {
        db_.exec("ROLLBACK");
    }
}

bool HiveTransaction::commit() {
    if (!begun_) {
        return false;
    }
    if (!outermost_) {
        return true;
    }
    if (!db_.exec("COMMIT")) {
        return false;
    }
    if (kind_ == Kind::write) {
        db_.moveLogIntoFile();
    }
    return true;
}

} // namespace dvx
