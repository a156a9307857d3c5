#pragma once

#include "ui/history/history_reading.h"
#include "ui/history/history_services.h"

#include <QPointer>
#include <QThread>
#include <QWidget>

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace dvx {

struct BillingPeriod;

// The History window: the billing periods of the session log, newest first, with the calls,
// time and cost of each and the estimate of the running one; a chart of the cost of the last
// periods and one of the days of the chosen period; the day the periods start on; and the export
// of the chosen period's sessions, or of all, as CSV. It reads the session log on a thread of its
// own, so that a long log never holds up the program, and shows what it read when it is done.
class TfrmHistory : public QWidget {
    Q_OBJECT

public:
    explicit TfrmHistory(HistoryServices services, QWidget* owner = nullptr);
    ~TfrmHistory() override;

    // Reads the session log again and shows it when read.
    void Reload();
    // Whether a reading is under way.
    bool reading() const { return reader_ != nullptr; }

    // The periods shown, oldest first, and the sessions they were made from.
    const QList<BillingPeriod>& periods() const { return periods_; }

    // Handlers.
    void edtPeriodStartDayChange();
    void LVPeriodsSelect();
    void btnExportCsvClick();

    QLabel* lblPeriodStartDay = nullptr;
    QSpinBox* edtPeriodStartDay = nullptr;
    QLabel* lblStatus = nullptr;
    QTableWidget* LVPeriods = nullptr;
    QChartView* chtPeriods = nullptr;
    QChartView* chtDays = nullptr;
    QCheckBox* cbAllPeriods = nullptr;
    QPushButton* btnExportCsv = nullptr;
    QPushButton* btnClose = nullptr;

signals:
    // The session log was read and is shown.
    void historyShown();

private:
    void buildControls();
    void connectHandlers();
    void showReading(HistoryReading reading);
    void showPeriods();
    // The period of the chosen row; none when no row is chosen.
    const BillingPeriod* chosenPeriod() const;
    QDateTime now() const;

    HistoryServices services_;
    QPointer<QThread> reader_;
    QList<HistorySession> sessions_;
    QList<PeriodSession> periodSessions_;
    QList<BillingPeriod> periods_;
    QChart* periodChart_ = nullptr;
    QChart* dayChart_ = nullptr;
};

} // namespace dvx
