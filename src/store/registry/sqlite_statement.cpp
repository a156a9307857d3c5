#include "store/registry/sqlite_statement.h"

#include <sqlite3.h>

namespace dvx {

SqliteStatement::~SqliteStatement() {
    if (statement_ != nullptr) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

SqliteStatement& SqliteStatement::bind(int index, const QString& text) {
    QByteArray& utf8 = texts_.at(static_cast<size_t>(index - 1));
    utf8 = text.toUtf8();
    sqlite3_bind_text(statement_, index, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_STATIC);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t number) {
    sqlite3_bind_int64(statement_, index, number);
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(statement_, index);
    return *this;
}

int SqliteStatement::step() {
    return statement_ == nullptr ? SQLITE_MISUSE : sqlite3_step(statement_);
}

bool SqliteStatement::run() {
    int result = step();
    while (result == SQLITE_ROW) {
        result = step();
    }
    return result == SQLITE_DONE;
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

bool SqliteStatement::isInteger(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_INTEGER;
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

QString SqliteStatement::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(statement_, column));
}

bool SqliteStatement::isText(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_TEXT;
}

QByteArrayView SqliteStatement::utf8(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QByteArrayView(data, sqlite3_column_bytes(statement_, column));
}

} // namespace dvx
