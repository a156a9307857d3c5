#include "store/history/csv_writer.h"

namespace dvx {

QString CsvField(const QString& field) {
    const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!quoted)
        return field;
    QString text = field;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void CsvWriter::row(const QStringList& fields) {
    for (qsizetype at = 0; at < fields.size(); ++at) {
        if (at > 0)
            text_.append(QLatin1Char(','));
        text_.append(CsvField(fields[at]));
    }
    text_.append(QLatin1String("\r\n"));
}

} // namespace dvx
