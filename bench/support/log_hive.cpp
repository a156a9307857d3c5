#include "log_hive.h"

#include "store/registry/hive.h"

#include <QDate>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sqlite3.h>

namespace dvx::bench {

namespace {

const QString kSessions = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions");
constexpr const char* kFoldedSessions = "SOFTWARE\\OSTRAVANE\\DORVANTIX\\SESSIONS";

// ?1 the Sessions key's id, ?2 the number of records, ?3 its folded path followed by "\".
constexpr const char* kInsertKeys = R"sql(
WITH RECURSIVE n(i) AS (SELECT 0 WHERE ?2 > 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?2)
INSERT INTO hive_key(parent, name, folded_name, folded_path)
SELECT ?1, CAST(i AS TEXT), CAST(i AS TEXT), ?3 || i FROM n
)sql";

// The values of every record below the Sessions key (?1), of ?2 records in all, made in the
// order of the table's key; the string type is 1, the DWORD type 4.
constexpr const char* kInsertValues = R"sql(
WITH v(seq, folded, name, type) AS (
    VALUES (4, 'CALLCHARGES', 'CallCharges', 1), (1, 'CALLTIME', 'CallTime', 4),
           (5, 'CONNECTIONNAME', 'ConnectionName', 1), (7, 'DESCRIPTION', 'Description', 1),
           (6, 'NUMBER', 'Number', 1), (2, 'SESSIONSTART', 'SessionStart', 1),
           (3, 'SESSIONSTOP', 'SessionStop', 1)),
r(id, i, day) AS (
    SELECT id, CAST(name AS INTEGER),
           strftime('%d/%m/%Y', '2019-01-01',
                    '+' || (CAST(name AS INTEGER) * 3000 / ?2) || ' days')
    FROM hive_key WHERE parent = ?1 AND id > ?1 ORDER BY id)
INSERT INTO hive_value(key, folded_name, seq, name, type, data)
SELECT r.id, v.folded, v.seq, v.name, v.type,
    CASE v.seq
        WHEN 1 THEN 60 + r.i % 3600
        WHEN 2 THEN r.day || printf(' 12:%02d:00', r.i % 60)
        WHEN 3 THEN r.day || ' 13:00:00'
        WHEN 4 THEN printf('£%d.%02d', r.i % 7, r.i % 100)
        WHEN 5 THEN 'Automatic Connection'
        WHEN 6 THEN ''
        ELSE 'Evening call number ' || r.i
    END
FROM r CROSS JOIN v
)sql";

class Database {
public:
    explicit Database(const QString& file) {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK)
            fail();
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    void exec(const char* sql) {
        if (ok() && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }

    std::int64_t sessionsKeyId() {
        std::int64_t id = 0;
        run(
            "SELECT id FROM hive_key WHERE folded_path = ?1",
            [&](sqlite3_stmt* statement) {
                sqlite3_bind_text(statement, 1, kFoldedSessions, -1, SQLITE_STATIC);
            },
            &id);
        return id;
    }

    void insert(const char* sql, std::int64_t sessionsId, int records) {
        const QByteArray below = QByteArray(kFoldedSessions) + '\\';
        run(sql, [&](sqlite3_stmt* statement) {
            sqlite3_bind_int64(statement, 1, sessionsId);
            sqlite3_bind_int(statement, 2, records);
            if (sqlite3_bind_parameter_count(statement) >= 3)
                sqlite3_bind_text(statement, 3, below.constData(), int(below.size()),
                                  SQLITE_STATIC);
        });
    }

private:
    template <typename Bind> void run(const char* sql, Bind bind, std::int64_t* result = nullptr) {
        if (!ok())
            return;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK)
            return fail();
        bind(statement);
        int step = sqlite3_step(statement);
        if (result != nullptr && step == SQLITE_ROW) {
            *result = sqlite3_column_int64(statement, 0);
            step = sqlite3_step(statement);
        }
        if (step != SQLITE_DONE)
            fail();
        sqlite3_finalize(statement);
    }

    void fail() { error_ = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : "out of memory"); }

    sqlite3* db_ = nullptr;
    QString error_;
};

// The last record as the program reads it back.
bool LastRecordReads(const QString& file, int records, QString& error) {
    Hive hive(file, Hive::ReadOnly{});
    const QString key = kSessions + QLatin1Char('\\') + QString::number(records - 1);
    QList<NamedRegValue> values;
    if (!hive.listValues(key, values)) {
        error = QStringLiteral("the last record cannot be read: ") + hive.lastError();
        return false;
    }
    const int i = records - 1;
    const QString day =
        QDate(2019, 1, 1).addDays(i * 3000LL / records).toString(QStringLiteral("dd/MM/yyyy"));
    const QList<NamedRegValue> expected = {
        {QStringLiteral("CallTime"), RegValue::ofDword(60 + i % 3600)},
        {QStringLiteral("SessionStart"),
         RegValue::ofString(day +
                            QStringLiteral(" 12:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')))},
        {QStringLiteral("SessionStop"), RegValue::ofString(day + QStringLiteral(" 13:00:00"))},
        {QStringLiteral("CallCharges"), RegValue::ofString(QStringLiteral("£%1.%2").arg(i % 7).arg(
                                            i % 100, 2, 10, QLatin1Char('0')))},
        {QStringLiteral("ConnectionName"),
         RegValue::ofString(QStringLiteral("Automatic Connection"))},
        {QStringLiteral("Number"), RegValue::ofString(QString())},
        {QStringLiteral("Description"),
         RegValue::ofString(QStringLiteral("Evening call number %1").arg(i))}};
    if (values != expected) {
        error = QStringLiteral("the last record does not read as written");
        return false;
    }
    return true;
}

} // namespace

bool WriteLogHive(const QString& file, int records, QString& error) {
    {
        Hive hive(file);
        if (!hive.ensureKey(kSessions)) {
            error = hive.lastError();
            return false;
        }
    }
    {
        Database db(file);
        db.exec("PRAGMA synchronous = OFF");
        db.exec("BEGIN IMMEDIATE");
        const std::int64_t sessions = db.sessionsKeyId();
        db.insert(kInsertKeys, sessions, records);
        db.insert(kInsertValues, sessions, records);
        db.exec("COMMIT");
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        if (!db.ok()) {
            error = db.error();
            return false;
        }
    }
    return records == 0 || LastRecordReads(file, records, error);
}

LogHive::LogHive(int records) {
    QString error;
    if (!WriteLogHive(file(), records, error)) {
        std::fprintf(stderr, "cannot make a hive of %d sessions: %s\n", records, qPrintable(error));
        std::abort();
    }
}

const LogHive& LogHive::ofSize(int records) {
    static std::map<int, std::unique_ptr<LogHive>> made;
    auto& hive = made[records];
    if (!hive)
        hive = std::make_unique<LogHive>(records);
    return *hive;
}

} // namespace dvx::bench
