#include "metering/session_list_model.h"

namespace dvx {

namespace {

constexpr int kColumnCount = 4;

const QString& cellText(const SessionRow& row, int column) {
    switch (column) {
    case dateColumn:
        return row.date;
    case descriptionColumn:
        return row.description;
    case durationColumn:
        return row.duration;
    default:
        return row.cost;
    }
}

} // namespace

SessionListModel::SessionListModel(QObject* parent) : QAbstractTableModel(parent) {}

void SessionListModel::setRows(SessionRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int SessionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int SessionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SessionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= kColumnCount)
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return cellText(rows_[index.row()], index.column());
}

QVariant SessionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString kHeaders[kColumnCount] = {
        QStringLiteral("Date"), QStringLiteral("Description"), QStringLiteral("Duration"),
        QStringLiteral("Cost")};
    return section >= 0 && section < kColumnCount ? QVariant(kHeaders[section]) : QVariant();
}

} // namespace dvx
