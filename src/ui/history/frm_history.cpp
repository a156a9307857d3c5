#include "ui/history/frm_history.h"

#include "metering/periods/daily_costs.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/error_guard.h"
#include "store/history/history_export.h"
#include "ui/history/period_charts.h"
#include "ui/history/period_rows.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

namespace dvx {

namespace {

QChartView* ChartView(QChart* chart, const QString& name) {
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setObjectName(name);
    view->setMinimumSize(340, 320);
    return view;
}

} // namespace

TfrmHistory::TfrmHistory(HistoryServices services, QWidget* owner)
    : QWidget(owner, Qt::Window), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Dorvantix - History"));
    buildControls();
    connectHandlers();
    Reload();
}

TfrmHistory::~TfrmHistory() {
    // The reading holds nothing of the window's, but must end before its thread goes.
    if (reader_)
        reader_->wait();
}

void TfrmHistory::buildControls() {
    lblPeriodStartDay = new QLabel(QStringLiteral("Periods start on &day:"), this);
    edtPeriodStartDay = new QSpinBox(this);
    edtPeriodStartDay->setObjectName(QStringLiteral("edtPeriodStartDay"));
    edtPeriodStartDay->setRange(kFirstPeriodStartDay, kLastPeriodStartDay);
    // A day typed is taken when it is complete, not digit by digit.
    edtPeriodStartDay->setKeyboardTracking(false);
    edtPeriodStartDay->setValue(kDefaultPeriodStartDay);
    edtPeriodStartDay->setEnabled(false);
    edtPeriodStartDay->setAccessibleName(QStringLiteral("Periods start on day"));
    edtPeriodStartDay->setToolTip(
        QStringLiteral("The day of the month on which your bill's period starts"));
    lblPeriodStartDay->setBuddy(edtPeriodStartDay);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setAccessibleName(QStringLiteral("Status"));

    LVPeriods = new QTableWidget(0, static_cast<int>(PeriodColumn::count), this);
    LVPeriods->setObjectName(QStringLiteral("LVPeriods"));
    LVPeriods->setAccessibleName(QStringLiteral("Periods"));
    LVPeriods->setHorizontalHeaderLabels(PeriodColumnTitles());
    LVPeriods->verticalHeader()->hide();
    LVPeriods->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVPeriods->setSelectionMode(QAbstractItemView::SingleSelection);
    LVPeriods->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVPeriods->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    LVPeriods->horizontalHeader()->setStretchLastSection(true);

    periodChart_ = new QChart;
    periodChart_->setTitle(QStringLiteral("Cost per period"));
    chtPeriods = ChartView(periodChart_, QStringLiteral("chtPeriods"));
    chtPeriods->setAccessibleName(QStringLiteral("Cost per period"));
    dayChart_ = new QChart;
    dayChart_->setTitle(QStringLiteral("Cost per day of the chosen period"));
    chtDays = ChartView(dayChart_, QStringLiteral("chtDays"));
    chtDays->setAccessibleName(QStringLiteral("Cost per day of the chosen period"));

    cbAllPeriods = new QCheckBox(QStringLiteral("&All periods"), this);
    cbAllPeriods->setObjectName(QStringLiteral("cbAllPeriods"));
    cbAllPeriods->setAccessibleName(QStringLiteral("All periods"));
    cbAllPeriods->setToolTip(
        QStringLiteral("Export the sessions of all periods, not only of the chosen one"));
    btnExportCsv = new QPushButton(QStringLiteral("&Export CSV..."), this);
    btnExportCsv->setObjectName(QStringLiteral("btnExportCsv"));
    btnExportCsv->setAccessibleName(QStringLiteral("Export CSV..."));
    btnExportCsv->setToolTip(QStringLiteral("Saves the sessions as CSV for a spreadsheet"));
    btnClose = new QPushButton(QStringLiteral("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setAccessibleName(QStringLiteral("Close"));

    auto* top = new QHBoxLayout;
    top->addWidget(lblPeriodStartDay);
    top->addWidget(edtPeriodStartDay);
    top->addSpacing(16);
    top->addWidget(lblStatus, 1);
    auto* charts = new QSplitter(Qt::Horizontal);
    charts->addWidget(chtPeriods);
    charts->addWidget(chtDays);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(LVPeriods);
    split->addWidget(charts);
    split->setSizes({220, 360});
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cbAllPeriods);
    buttons->addWidget(btnExportCsv);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    resize(820, 720);
}

void TfrmHistory::connectHandlers() {
    const auto guarded = [this](void (TfrmHistory::*handler)()) {
        return [this, handler] {
            Guarded(services_.dialogs, [this, handler] { (this->*handler)(); });
        };
    };
    connect(edtPeriodStartDay, &QSpinBox::valueChanged, this,
            guarded(&TfrmHistory::edtPeriodStartDayChange));
    connect(LVPeriods, &QTableWidget::itemSelectionChanged, this,
            guarded(&TfrmHistory::LVPeriodsSelect));
    connect(btnExportCsv, &QPushButton::clicked, this, guarded(&TfrmHistory::btnExportCsvClick));
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

QDateTime TfrmHistory::now() const {
    return QDateTime::fromMSecsSinceEpoch(services_.clock.instantMs());
}

void TfrmHistory::Reload() {
    if (reader_)
        return;
    lblStatus->setText(QStringLiteral("Reading the session log..."));
    btnExportCsv->setEnabled(false);
    auto reading = std::make_shared<HistoryReading>();
    reader_ = QThread::create([reading, file = services_.hiveFile, regional = services_.regional] {
        *reading = ReadHistoryOfHive(file, regional);
    });
    reader_->setParent(this);
    connect(reader_, &QThread::finished, this, [this, reading] {
        reader_->deleteLater();
        reader_ = nullptr;
        Guarded(services_.dialogs, [this, reading] { showReading(std::move(*reading)); });
    });
    reader_->start();
}

void TfrmHistory::showReading(HistoryReading reading) {
    {
        const QSignalBlocker quiet(edtPeriodStartDay);
        edtPeriodStartDay->setValue(reading.startDay);
        edtPeriodStartDay->setEnabled(true);
    }
    if (!reading.history) {
        sessions_.clear();
        lblStatus->setText(QStringLiteral("Cannot read the session log: %1").arg(reading.error));
    } else {
        sessions_ = std::move(reading.history->sessions);
        const qsizetype unread = reading.history->unread.size();
        lblStatus->setText(
            unread == 0
                ? QStringLiteral("%1 sessions").arg(sessions_.size())
                : QStringLiteral("%1 sessions; %2 records could not be read and are left out")
                      .arg(sessions_.size())
                      .arg(unread));
        lblStatus->setToolTip(
            unread == 0 ? QString()
                        : QStringLiteral("Run dorvantix-log sessions to see which and why"));
    }
    periodSessions_.clear();
    periodSessions_.reserve(sessions_.size());
    for (const HistorySession& session : sessions_)
        periodSessions_.append(session.forPeriods());
    showPeriods();
    btnExportCsv->setEnabled(!sessions_.isEmpty());
    emit historyShown();
}

void TfrmHistory::showPeriods() {
    periods_ = BillingPeriods(periodSessions_, edtPeriodStartDay->value(), now());
    {
        const QSignalBlocker quiet(LVPeriods);
        FillPeriodRows(*LVPeriods, periods_, services_.regional);
    }
    ShowPeriodCosts(*periodChart_, periods_, services_.regional);
    if (LVPeriods->rowCount() > 0)
        LVPeriods->selectRow(0);
    else
        LVPeriodsSelect();
}

const BillingPeriod* TfrmHistory::chosenPeriod() const {
    const QList<QTableWidgetSelectionRange> ranges = LVPeriods->selectedRanges();
    if (ranges.isEmpty())
        return nullptr;
    // Rows run newest first.
    const qsizetype at = periods_.size() - 1 - ranges.first().topRow();
    return at >= 0 && at < periods_.size() ? &periods_[at] : nullptr;
}

void TfrmHistory::edtPeriodStartDayChange() {
    const int day = edtPeriodStartDay->value();
    services_.keepStartDay(day);
    showPeriods();
}

void TfrmHistory::LVPeriodsSelect() {
    const BillingPeriod* period = chosenPeriod();
    if (period == nullptr) {
        ShowDailyCosts(*dayChart_, {}, QDate(), services_.regional);
        return;
    }
    dayChart_->setTitle(
        QStringLiteral("Cost per day, %1").arg(PeriodNameText(*period, services_.regional)));
    ShowDailyCosts(*dayChart_, DailyCosts(periodSessions_, period->start, period->end),
                   period->start, services_.regional);
}

} // namespace dvx
