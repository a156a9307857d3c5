#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

struct sqlite3_stmt;

namespace dvx {

// One use of a prepared statement that the connection keeps: it binds, steps and reads
// columns, and on destruction resets the statement so that no lock outlives the use.
class SqliteStatement {
public:
    explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool valid() const { return statement_ != nullptr; }
    SqliteStatement& bind(int index, const QString& text);
    SqliteStatement& bind(int index, std::int64_t number);
    SqliteStatement& bindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs the statement to its end; true when that succeeded.
    bool run();

    bool isNull(int column) const;
    bool isInteger(int column) const;
    std::int64_t integer(int column) const;
    QString text(int column) const;
    // Whether the column holds text, and its bytes as stored.
    bool isText(int column) const;
    QByteArrayView utf8(int column) const;

private:
    static constexpr int kMaxTexts = 5;
    sqlite3_stmt* statement_;
    // The bound texts, kept until the statement is reset so that binding copies nothing.
    std::array<QByteArray, kMaxTexts> texts_;
};

} // namespace dvx
