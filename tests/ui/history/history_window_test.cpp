// The History window over a hive of the test's own, with a clock that stands still and scripted
// dialogs.
#include "store/history/history_export.h"
#include "store/settings/period_start_day.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/store_hive.h"
#include "ui/history/frm_history.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <clocale>
#include <gtest/gtest.h>
#include <memory>

namespace dvx {
namespace {

using test::ProductSeed;
using test::StoreHive;

QString Record(int name, const QString& start, int seconds, const QString& charges,
               const QString& description = {}) {
    return QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\%1]\n"
                          "\"CallTime\"=dword:%2\n\"SessionStart\"=\"%3\"\n\"SessionStop\"=\"%3\"\n"
                          "\"CallCharges\"=\"%4\"\n\"Description\"=\"%5\"\n")
        .arg(name)
        .arg(seconds, 8, 16, QLatin1Char('0'))
        .arg(start, charges, description);
}

class HistoryWindowTest : public ::testing::Test {
protected:
    HistoryWindowTest() { clock_.setLocal(QDateTime(QDate(2026, 3, 16), QTime(0, 0))); }

    // Opens the window and waits until it shows what it read.
    void open(const RegionalSettings& regional = RegionalSettings::british()) {
        window_ = std::make_unique<TfrmHistory>(HistoryServices{
            store_.hive().file(), clock_, dialogs_, regional, [this, regional](int day) {
                store_.settingsStore.product(regional).writeInteger(kPeriodStartDayValue, day);
            }});
        waitUntilShown();
    }
    void waitUntilShown() {
        QSignalSpy shown(window_.get(), &TfrmHistory::historyShown);
        ASSERT_TRUE(shown.wait(10000));
    }
    // The table's rows as "period|calls|time|cost|estimate".
    QStringList rows() const {
        QStringList rows;
        const QTableWidget& table = *window_->LVPeriods;
        for (int row = 0; row < table.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table.columnCount(); ++column)
                cells.append(table.item(row, column)->text());
            rows.append(cells.join(QLatin1Char('|')));
        }
        return rows;
    }
    QString fileText(const QString& name) const {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    StoreHive store_;
    FakeClock clock_;
    FakeDialogs dialogs_;
    std::unique_ptr<TfrmHistory> window_;
};

const QString kThreeMonths = Record(0, "14/01/2026 23:59:59", 300, "£0.50") +
                             Record(1, "15/01/2026 08:00:00", 600, "£1.25", "first, \\\"day\\\"") +
                             Record(2, "01/03/2026 18:30:00", 725, "£2.00") +
                             Record(3, "15/03/2026", 60, "£0.10");

TEST_F(HistoryWindowTest, ListsThePeriodsNewestFirstInTheUsersLocale) {
    store_.seed(kThreeMonths + ProductSeed(QStringLiteral("\"PeriodStartDay\"=dword:0000000f\n")));
    open();
    EXPECT_EQ(window_->edtPeriodStartDay->value(), 15);
    // 15 March to 15 April: one of 31 days gone at 16 March, 00:00.
    EXPECT_EQ(rows(), (QStringList{"15/03/2026 - 14/04/2026|1|1min, 00sec|£0.10|£3.10",
                                   "15/02/2026 - 14/03/2026|1|12min, 05sec|£2.00|",
                                   "15/01/2026 - 14/02/2026|1|10min, 00sec|£1.25|",
                                   "15/12/2025 - 14/01/2026|1|5min, 00sec|£0.50|"}));
    EXPECT_EQ(window_->lblStatus->text(), QStringLiteral("4 sessions"));
    EXPECT_EQ(window_->LVPeriods->currentRow(), 0);
    EXPECT_TRUE(window_->btnExportCsv->isEnabled());
}

TEST_F(HistoryWindowTest, ReadsTheLogOffTheWindowsThread) {
    store_.seed(kThreeMonths);
    window_ = std::make_unique<TfrmHistory>(HistoryServices{
        store_.hive().file(), clock_, dialogs_, RegionalSettings::british(), [](int) {}});
    // The window is there before anything is read, and says so.
    EXPECT_TRUE(window_->reading());
    EXPECT_EQ(window_->LVPeriods->rowCount(), 0);
    EXPECT_EQ(window_->lblStatus->text(), QStringLiteral("Reading the session log..."));
    EXPECT_FALSE(window_->btnExportCsv->isEnabled());
    waitUntilShown();
    EXPECT_FALSE(window_->reading());
    EXPECT_EQ(window_->LVPeriods->rowCount(), 3);
}

TEST_F(HistoryWindowTest, AnotherStartDayRegroupsThePeriodsAndIsKept) {
    store_.seed(kThreeMonths);
    open();
    EXPECT_EQ(window_->edtPeriodStartDay->value(), 1);
    EXPECT_EQ(rows().size(), 3);
    window_->edtPeriodStartDay->setValue(15);
    EXPECT_EQ(rows().size(), 4);
    EXPECT_EQ(ReadPeriodStartDay(store_.hive()), 15);
    window_->edtPeriodStartDay->setValue(28);
    // 16 of the period's 28 days are gone.
    EXPECT_EQ(rows().first(), QStringLiteral("28/02/2026 - 27/03/2026|2|13min, 05sec|£2.10|£3.68"));
    EXPECT_EQ(ReadPeriodStartDay(store_.hive()), 28);
}

TEST_F(HistoryWindowTest, ExportsTheChosenPeriodsSessionsOrAllAsCsv) {
    store_.seed(kThreeMonths);
    open();
    const QString file = store_.folder() + QStringLiteral("/period.csv");
    window_->LVPeriods->selectRow(2); // January
    dialogs_.expect(BoxKind::saveFile, file);
    window_->btnExportCsv->click();
    EXPECT_EQ(fileText(file),
              QStringLiteral("start,stop,seconds,cost,connection,description\r\n"
                             "2026-01-14T23:59:59,2026-01-14T23:59:59,300,0.50,,\r\n"
                             "2026-01-15T08:00:00,2026-01-15T08:00:00,600,1.25,,\"first, "
                             "\"\"day\"\"\"\r\n"));
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(
        dialogs_.shown()[0].detail.endsWith(QStringLiteral("dorvantix-sessions-2026-01-01.csv")))
        << dialogs_.shown()[0].detail.toStdString();

    const QString all = store_.folder() + QStringLiteral("/all.csv");
    window_->cbAllPeriods->setChecked(true);
    dialogs_.expect(BoxKind::saveFile, all);
    window_->btnExportCsv->click();
    EXPECT_EQ(fileText(all).count(QStringLiteral("\r\n")), 5);

    // A file that cannot be written is named in an error box; cancelling writes nothing.
    dialogs_.expect(BoxKind::saveFile, store_.folder() + QStringLiteral("/no/such/folder.csv"));
    dialogs_.expect(BoxKind::error);
    window_->btnExportCsv->click();
    EXPECT_TRUE(dialogs_.texts().last().startsWith(QStringLiteral("Cannot save ")));
    dialogs_.expect(BoxKind::saveFile);
    window_->btnExportCsv->click();
    EXPECT_EQ(dialogs_.pending(), 0);
}

TEST_F(HistoryWindowTest, SaysHowManyRecordsItLeftOut) {
    store_.seed(kThreeMonths + Record(4, "31/02/2026 10:00:00", 60, "£1.00"));
    open();
    EXPECT_EQ(window_->lblStatus->text(),
              QStringLiteral("4 sessions; 1 records could not be read and are left out"));
    EXPECT_EQ(rows().size(), 3);
}

TEST_F(HistoryWindowTest, AnEmptyLogShowsNoPeriodsAndNothingToExport) {
    open();
    EXPECT_EQ(window_->LVPeriods->rowCount(), 0);
    EXPECT_EQ(window_->lblStatus->text(), QStringLiteral("0 sessions"));
    EXPECT_FALSE(window_->btnExportCsv->isEnabled());
}

TEST_F(HistoryWindowTest, GivesThePeriodsThatDorvantixLogGives) {
    // The tool reads the hive in the tests' C.UTF-8 locale; the window is given the same.
    std::setlocale(LC_ALL, "C.UTF-8");
    const RegionalSettings regional = RegionalSettings::fromProcessLocale();
    store_.seed(Record(0, "01/14/2026 23:59:59", 300, "0.50") +
                Record(1, "01/15/2026 08:00:00", 600, "1.25") +
                Record(2, "03/01/2026 18:30:00", 725, "2.00") +
                ProductSeed(QStringLiteral("\"PeriodStartDay\"=dword:00000007\n")));
    open(regional);
    QProcess tool;
    tool.start(QStringLiteral(LOG_TOOL),
               {QStringLiteral("--hive"), store_.hive().file(), QStringLiteral("periods"),
                QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    // The estimates depend on the moment each was made: the rest must be the same.
    const auto withoutEstimates = [](const QString& csv) {
        QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (QString& line : lines)
            line = line.section(QLatin1Char(','), 0, 4);
        return lines;
    };
    const QStringList fromTool = withoutEstimates(QString::fromUtf8(tool.readAllStandardOutput()));
    const QStringList fromWindow =
        withoutEstimates(PeriodsText(window_->periods(), ExportFormat::csv, regional));
    ASSERT_GE(fromWindow.size(), 4);
    EXPECT_EQ(fromWindow[1], QStringLiteral("2026-01-07,2026-02-07,2,900,1.75"));
    // The window's clock stands in March; the tool's runs on to today.
    EXPECT_EQ(fromTool.mid(0, fromWindow.size()), fromWindow);
}

} // namespace
} // namespace dvx
