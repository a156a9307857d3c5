#pragma once

#include "metering/session_row.h"

class QTreeWidget;

namespace dvx {

// The columns of the session list, in their order.
enum SessionListColumn { dateColumn, descriptionColumn, durationColumn, costColumn };

// The session list read and written as rows of texts: the Date column is the row's caption,
// then the Description, Duration and Cost columns. The session log, the log file and the
// printed report all meet the list through these two.
SessionRows SessionListRows(const QTreeWidget& list);

// Replaces every row of the list with the given rows, in their order.
void ShowSessionRows(QTreeWidget& list, const SessionRows& rows);

} // namespace dvx
