#pragma once

#include <QString>
#include <QStringList>
#include <utility>

namespace dvx {

// Writes rows of CSV as spreadsheets read it: fields separated by commas, rows ended by CR LF,
// and a field that holds a comma, a quote or a line break put in quotes with each quote
// doubled.
class CsvWriter {
public:
    void row(const QStringList& fields);
    QString take() { return std::move(text_); }

private:
    QString text_;
};

// The field as it stands in a CSV row.
QString CsvField(const QString& field);

} // namespace dvx
