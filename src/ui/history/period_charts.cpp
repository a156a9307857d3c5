#include "ui/history/period_charts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace dvx {

namespace {

double Units(Currency amount) {
    return static_cast<double>(amount.raw()) / Currency::kScale;
}

// Replaces what the chart showed by the series along the categories, with a cost axis that
// names the currency.
void Show(QChart& chart, QAbstractBarSeries* series, const QStringList& categories,
          const RegionalSettings& regional) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes())
        chart.removeAxis(axis);
    chart.addSeries(series);
    auto* along = new QBarCategoryAxis;
    along->append(categories);
    // More than a few names stand upright, so that each stays whole.
    along->setLabelsAngle(categories.size() > 6 ? -90 : 0);
    auto* cost = new QValueAxis;
    cost->setLabelFormat(QStringLiteral("%.2f"));
    const QString symbol = regional.currencySymbol.trimmed();
    cost->setTitleText(symbol.isEmpty() ? QStringLiteral("Cost")
                                        : QStringLiteral("Cost (%1)").arg(symbol));
    cost->setMin(0);
    chart.addAxis(along, Qt::AlignBottom);
    chart.addAxis(cost, Qt::AlignLeft);
    series->attachAxis(along);
    series->attachAxis(cost);
    // The bars stand on each other: the axis reaches the highest stack.
    double highest = 0;
    const QList<QBarSet*> sets = series->barSets();
    for (int at = 0; !sets.isEmpty() && at < sets.first()->count(); ++at) {
        double stacked = 0;
        for (QBarSet* set : sets)
            stacked += set->at(at);
        highest = std::max(highest, stacked);
    }
    cost->setMax(highest > 0 ? highest * 1.1 : 1);
    cost->applyNiceNumbers();
}

// A period named by the month and year it starts in.
QString MonthLabel(QDate day, const RegionalSettings& regional) {
    return QStringLiteral("%1 %2")
        .arg(regional.names.abbreviatedMonths[static_cast<size_t>(day.month() - 1)])
        .arg(day.year());
}

} // namespace

void ShowPeriodCosts(QChart& chart, const QList<BillingPeriod>& periods,
                     const RegionalSettings& regional) {
    auto* costs = new QBarSet(QStringLiteral("Cost"));
    auto* estimates = new QBarSet(QStringLiteral("Estimate to the period's end"));
    QStringList categories;
    const qsizetype first = std::max<qsizetype>(0, periods.size() - kChartedPeriods);
    for (qsizetype at = first; at < periods.size(); ++at) {
        const BillingPeriod& period = periods[at];
        categories.append(MonthLabel(period.start, regional));
        costs->append(Units(period.cost));
        estimates->append(period.estimate
                              ? std::max(0.0, Units(period.estimate->cost) - Units(period.cost))
                              : 0.0);
    }
    estimates->setColor(QColor(0xf0, 0xa0, 0x30));
    auto* series = new QStackedBarSeries;
    series->append(costs);
    series->append(estimates);
    Show(chart, series, categories, regional);
}

void ShowDailyCosts(QChart& chart, const QList<Currency>& costs, QDate first,
                    const RegionalSettings& regional) {
    auto* days = new QBarSet(QStringLiteral("Cost per day"));
    QStringList categories;
    for (qsizetype at = 0; at < costs.size(); ++at) {
        categories.append(QString::number(first.addDays(at).day()));
        days->append(Units(costs[at]));
    }
    auto* series = new QStackedBarSeries;
    series->append(days);
    Show(chart, series, categories, regional);
}

} // namespace dvx
