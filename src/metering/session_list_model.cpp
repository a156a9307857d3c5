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

SessionListModel::SessionListModel(const RegionalSettings& rs, QObject* parent)
    : QAbstractTableModel(parent), regional_(rs) {}

void SessionListModel::setSessions(ListedSessions sessions) {
    beginResetModel();
    sessions_ = std::move(sessions);
    texts_.clear();
    ++generation_;
    endResetModel();
}

void SessionListModel::appendSession(ListedSession session) {
    const int row = int(sessions_.size());
    beginInsertRows({}, row, row);
    sessions_.append(std::move(session));
    ++generation_;
    endInsertRows();
}

void SessionListModel::replaceSession(int row, ListedSession session) {
    sessions_[row] = std::move(session);
    texts_.remove(row);
    ++generation_;
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

const SessionRow& SessionListModel::rowTexts(int row) const {
    auto made = texts_.constFind(row);
    if (made == texts_.cend())
        made = texts_.insert(row, SessionRowTexts(sessions_.at(row), regional_));
    return *made;
}

SessionRows SessionListModel::rows() const {
    SessionRows rows;
    rows.reserve(sessions_.size());
    for (int row = 0; row < sessions_.size(); ++row)
        rows.append(rowTexts(row));
    return rows;
}

void SessionListModel::setRows(const SessionRows& rows) {
    setSessions(ListedSessions(rows.begin(), rows.end()));
}

int SessionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(sessions_.size());
}

int SessionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SessionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= sessions_.size() || index.column() >= kColumnCount)
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return cellText(rowTexts(index.row()), index.column());
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
