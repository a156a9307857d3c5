#include "store/sessionlog/record_names.h"

#include <QSet>
#include <algorithm>
#include <numeric>
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

// Whether a name goes before another, given their numbers.
bool nameBefore(const QString& a, std::optional<qulonglong> na, const QString& b,
                std::optional<qulonglong> nb) {
    if (na && nb && *na != *nb)
        return *na < *nb;
    if (na && nb) // "7" before "07"
        return a.size() < b.size();
    if (na || nb)
        return na.has_value();
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

bool RecordNameBefore(const QString& a, const QString& b) {
    return nameBefore(a, numberOf(a), b, numberOf(b));
}

QList<qsizetype> RecordOrder(const QStringList& names) {
    QList<std::optional<qulonglong>> numbers;
    numbers.reserve(names.size());
    for (const QString& name : names)
        numbers.append(numberOf(name));
    QList<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return nameBefore(names[a], numbers[a], names[b], numbers[b]);
    });
    return order;
}

QStringList InRecordOrder(QStringList names) {
    QStringList ordered;
    ordered.reserve(names.size());
    for (const qsizetype at : RecordOrder(names))
        ordered.append(std::move(names[at]));
    return ordered;
}

QString FreeRecordName(const QStringList& existing) {
    const QSet<QString> taken(existing.begin(), existing.end());
    qsizetype number = existing.size();
    while (taken.contains(QString::number(number)))
        ++number;
    return QString::number(number);
}

} // namespace dvx
