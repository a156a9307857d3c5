#include "print/report/log_report_lines.h"

#include "metering/date_time_text.h"
#include "print/report/fit_to_width.h"

namespace dvx {

QString ReportTableLine(const QString& date, const QString& description, const QString& duration,
                        const QString& cost) {
    return FitToWidth(date, kReportColumnWidth) + FitToWidth(description, kReportColumnWidth) +
           FitToWidth(duration, kReportColumnWidth) + FitToWidth(cost, kReportColumnWidth);
}

QStringList LogReportLines(const LogReportContent& content, const RegionalSettings& regional,
                           DateTime printedAt) {
    QStringList lines;
    lines << QStringLiteral("Dorvantix Log") << QStringLiteral("--------------------") << QString()
          << QString() << content.logName << QString()
          << QStringLiteral("Printed at ") + DateTimeText(printedAt, regional) << QString()
          << QString();
    lines << ReportTableLine(QStringLiteral("Date/Time"), QStringLiteral("Description"),
                             QStringLiteral("Duration"), QStringLiteral("Cost"));
    lines << ReportTableLine(QStringLiteral("---------"), QStringLiteral("-----------"),
                             QStringLiteral("--------"), QStringLiteral("----"));
    lines << QString();
    for (const SessionRow& row : content.rows) {
        lines << ReportTableLine(row.date, row.description, row.duration, row.cost);
    }
    lines << QString() << QString();
    lines << QStringLiteral("Total Time = ") + content.totalCallTime +
                 QStringLiteral("    Total Cost = ") + content.totalCost;
    return lines;
}

} // namespace dvx
