#include "store/history/text_table.h"

#include <algorithm>

namespace dvx {

QString TextTable::text() const {
    QList<qsizetype> widths;
    for (const Column& column : columns_)
        widths.append(column.title.size());
    for (const QStringList& fields : rows_) {
        for (qsizetype at = 0; at < widths.size() && at < fields.size(); ++at)
            widths[at] = std::max(widths[at], fields[at].size());
    }
    QString text;
    const auto line = [&](const QStringList& fields) {
        QString row;
        for (qsizetype at = 0; at < columns_.size(); ++at) {
            const QString field = fields.value(at);
            if (at > 0)
                row.append(QLatin1String("  "));
            row.append(columns_[at].align == Align::right ? field.rightJustified(widths[at])
                                                          : field.leftJustified(widths[at]));
        }
        // A description may hold line breaks: the row stays one line.
        row.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        while (row.endsWith(QLatin1Char(' ')))
            row.chop(1);
        text.append(row);
        text.append(QLatin1Char('\n'));
    };
    QStringList titles;
    QStringList rules;
    for (qsizetype at = 0; at < columns_.size(); ++at) {
        titles.append(columns_[at].title);
        rules.append(QString(widths[at], QLatin1Char('-')));
    }
    line(titles);
    line(rules);
    for (const QStringList& fields : rows_)
        line(fields);
    return text;
}

} // namespace dvx
