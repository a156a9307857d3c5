#include "ui/history/period_rows.h"

#include "metering/money_text.h"
#include "store/history/history_export.h"

#include <QTableWidget>

namespace dvx {

QStringList PeriodColumnTitles() {
    return {QStringLiteral("Period"), QStringLiteral("Calls"), QStringLiteral("Time"),
            QStringLiteral("Cost"), QStringLiteral("Estimate")};
}

namespace {

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

void FillPeriodRows(QTableWidget& table, const QList<BillingPeriod>& periods,
                    const RegionalSettings& regional) {
    table.setRowCount(0);
    table.setRowCount(static_cast<int>(periods.size()));
    int row = 0;
    for (auto period = periods.crbegin(); period != periods.crend(); ++period, ++row) {
        const QString texts[] = {
            PeriodNameText(*period, regional), QString::number(period->calls),
            PeriodDurationText(period->seconds), MoneyText(period->cost, regional),
            period->estimate ? MoneyText(period->estimate->cost, regional) : QString()};
        for (int column = 0; column < static_cast<int>(PeriodColumn::count); ++column)
            table.setItem(row, column,
                          Cell(texts[column], column == 0 ? Qt::AlignLeft : Qt::AlignRight));
    }
}

} // namespace dvx
