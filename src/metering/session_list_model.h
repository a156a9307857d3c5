#pragma once

#include "metering/session_row.h"

#include <QAbstractTableModel>

namespace dvx {

// The columns of the session list, in their order.
enum SessionListColumn { dateColumn, descriptionColumn, durationColumn, costColumn };

// The session list: one row per session with its Date, Description, Duration and Cost texts.
// The session log fills it, the log file saves it and loads into it, and the report prints it.
class SessionListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SessionListModel(QObject* parent = nullptr);

    const SessionRows& rows() const { return rows_; }
    // Replaces every row with the given rows, in their order.
    void setRows(SessionRows rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    SessionRows rows_;
};

} // namespace dvx
