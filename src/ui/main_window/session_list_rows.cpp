#include "ui/main_window/session_list_rows.h"

#include <QTreeWidget>

namespace dvx {

SessionRows SessionListRows(const QTreeWidget& list) {
    SessionRows rows;
    rows.reserve(list.topLevelItemCount());
    for (int index = 0; index < list.topLevelItemCount(); ++index) {
        const QTreeWidgetItem* item = list.topLevelItem(index);
        rows.append({item->text(dateColumn), item->text(descriptionColumn),
                     item->text(durationColumn), item->text(costColumn)});
    }
    return rows;
}

void ShowSessionRows(QTreeWidget& list, const SessionRows& rows) {
    list.clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const SessionRow& row : rows)
        items.append(new QTreeWidgetItem({row.date, row.description, row.duration, row.cost}));
    list.addTopLevelItems(items);
}

} // namespace dvx
