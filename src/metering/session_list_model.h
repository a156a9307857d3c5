#pragma once

#ifndef Q_MOC_RUN // the standard library's headers are beyond the meta-object compiler
#include "metering/listed_session.h"
#include "metering/regional_settings.h"
#endif

#include <QAbstractTableModel>
#include <QHash>

namespace dvx {

// The columns of the session list, in their order.
enum SessionListColumn { dateColumn, descriptionColumn, durationColumn, costColumn };

// The session list: one row per session with its Date, Description, Duration and Cost texts.
// The session log fills it, the log file saves it and loads into it, and the report prints it.
// Rows are kept as the values they were read as; a row's texts are made in the regional forms
// when they are first asked for, and kept.
class SessionListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SessionListModel(const RegionalSettings& rs, QObject* parent = nullptr);

    const ListedSessions& sessions() const { return sessions_; }
    // Replaces every row with the given sessions, in their order.
    void setSessions(ListedSessions sessions);
    // Adds one session after the last row.
    void appendSession(ListedSession session);
    // Puts `session` in the place of the row's.
    void replaceSession(int row, ListedSession session);

    // Changes with every change of the rows.
    std::uint64_t generation() const { return generation_; }

    // The texts that a row shows.
    const SessionRow& rowTexts(int row) const;
    // The texts of every row, in list order.
    SessionRows rows() const;
    // Replaces every row with rows given as their texts.
    void setRows(const SessionRows& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    RegionalSettings regional_;
    ListedSessions sessions_;
    mutable QHash<int, SessionRow> texts_;
    std::uint64_t generation_ = 0;
};

} // namespace dvx
