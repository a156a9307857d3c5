#pragma once

#include "metering/date_time.h"
#include "metering/regional_settings.h"
#include "metering/session_row.h"

#include <QStringList>

namespace dvx {

// What the report shows, exactly as the session list, the log name and the totals boxes show it.
struct LogReportContent {
    SessionRows rows;
    QString logName;
    QString totalCallTime;
    QString totalCost;
};

// Each column of the report's table is this many characters wide.
inline constexpr int kReportColumnWidth = 25;

// One table line: the four texts, each made one column wide, joined without separators.
QString ReportTableLine(const QString& date, const QString& description, const QString& duration,
                        const QString& cost);

// The report's lines in their order: title, log name, moment of printing, table and totals.
QStringList LogReportLines(const LogReportContent& content, const RegionalSettings& regional,
                           DateTime printedAt);

} // namespace dvx
