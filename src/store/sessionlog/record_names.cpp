#include "store/sessionlog/record_names.h"

#include <QSet>
#include <algorithm>
#include <optional>

namespace dvx {

namespace {

// The value of a name made of decimal digits only; nothing for any other name.
std::optional<qulonglong> numberOf(const QString& name) {
    if (name.isEmpty() || name.size() > 18)
        return std::nullopt;
    for (QChar c : name) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return name.toULongLong();
}

} // namespace

bool RecordNameBefore(const QString& a, const QString& b) {
    const std::optional<qulonglong> na = numberOf(a);
    const std::optional<qulonglong> nb = numberOf(b);
    if (na && nb && *na != *nb)
        return *na < *nb;
    if (na && nb) // "7" before "07"
        return a.size() < b.size();
    if (na || nb)
        return na.has_value();
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

QStringList InRecordOrder(QStringList names) {
    std::stable_sort(names.begin(), names.end(), RecordNameBefore);
    return names;
}

QString FreeRecordName(const QStringList& existing) {
    const QSet<QString> taken(existing.begin(), existing.end());
    qsizetype number = existing.size();
    while (taken.contains(QString::number(number)))
        ++number;
    return QString::number(number);
}

} // namespace dvx
