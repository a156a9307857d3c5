#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dvx {

// A table for people to read in a terminal: a header row, a rule, and the rows, each column as
// wide as its widest text, numbers aligned to the right.
class TextTable {
public:
    enum class Align { left, right };
    struct Column {
        QString title;
        Align align = Align::left;
    };

    explicit TextTable(QList<Column> columns) : columns_(std::move(columns)) {}
    void row(QStringList fields) { rows_.append(std::move(fields)); }
    QString text() const;

private:
    QList<Column> columns_;
    QList<QStringList> rows_;
};

} // namespace dvx
