#include "print/report/print_lines_setup.h"
#include "print/report/print_log_report.h"

#include "../common/pdf_reader.h"
#include "../common/qstring_printer.h"
#include "../common/qt_application.h"

#include "print/pagelayout/page_geometry.h"
#include "print/pageprinter/page_printer.h"
#include "print/pageprinter/printer_metrics_of.h"
#include "print/pageprinter/progress_dialog.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace dvx;
using test::PdfReader;

namespace {

// The advance of one character of 8 point "Courier New" in points: 0.6 em.
constexpr double kPitch = 4.8;

SessionRows NumberedSessions(int count, const QString& description) {
    SessionRows rows;
    for (int i = 1; i <= count; ++i) {
        rows.append({QStringLiteral("01/11/2026 09:%1:00").arg(i % 60, 2, 10, QChar(u'0')),
                     QStringLiteral("%1 %2").arg(description).arg(i),
                     QStringLiteral("00:%1:00").arg(i % 60, 2, 10, QChar(u'0')),
                     QStringLiteral("£%1.00").arg(i)});
    }
    return rows;
}

LogReportContent Log(int sessions, const QString& description = QStringLiteral("Call")) {
    LogReportContent content;
    content.rows = NumberedSessions(sessions, description);
    content.logName = QStringLiteral("Current Log - From 01/11/2026");
    content.totalCallTime = QStringLiteral("12:34:56");
    content.totalCost = QStringLiteral("£99.99");
    return content;
}

QString RightTrimmed(QString text) {
    while (text.endsWith(u' ')) {
        text.chop(1);
    }
    return text;
}

// Prints reports through "Print to File (PDF)" and reads them back.
class ReportPrintingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureApplication(); }

    void SetUp() override {
        if (!PdfReader::toolsAvailable()) {
            GTEST_SKIP() << "pdftotext and pdffonts (poppler-utils) are needed to read the PDF";
        }
    }

    std::unique_ptr<QPrinter> pdfPrinter(const QString& name) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath(name));
        return printer;
    }

    QStringList print(const LogReportContent& content, const QString& name,
                      DateTime now = encodeDate(QDate(2026, 12, 10)) + encodeTime(14, 5, 9)) {
        const auto printer = pdfPrinter(name);
        PrintLogReport(printLines, *printer, content, RegionalSettings::british(), now);
        return PdfReader::pages(printer->outputFileName(), kPitch);
    }

    // The report's lines as a printout shows them: trailing blanks cannot be seen, and the
    // text read back from a PDF does not keep every empty line.
    static QStringList ExpectedLines(const LogReportContent& content, DateTime now) {
        QStringList expected;
        for (const QString& line : LogReportLines(content, RegionalSettings::british(), now)) {
            if (!line.isEmpty()) {
                expected.append(RightTrimmed(line));
            }
        }
        return expected;
    }

    QTemporaryDir dir;
    TPagePrinter printLines;
};

// The line of the print system's page log for a finished job of the given name, waiting for it:
// "PRINTER USER JOB-ID [TIME] total PAGES BILLING HOST JOB-NAME MEDIA SIDES". Empty when none
// comes.
QString FinishedJobLine(const QString& pageLog, const QString& jobName) {
    const QRegularExpression line(
        QStringLiteral("^\\S+ \\S+ \\d+ \\[[^]]*\\] total \\d+ .* %1( |$)")
            .arg(QRegularExpression::escape(jobName)),
        QRegularExpression::MultilineOption);
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        QFile log(pageLog);
        if (log.open(QIODevice::ReadOnly)) {
            const QRegularExpressionMatch found = line.match(QString::fromUtf8(log.readAll()));
            if (found.hasMatch())
                return found.captured(0);
        }
        QThread::msleep(100);
    }
    return {};
}

} // namespace

TEST_F(ReportPrintingTest, ThroughThePrintSystemTheJobCompletesNamedWithTheReportsPages) {
    const QString printerName = qEnvironmentVariable("DORVANTIX_TEST_PRINTER");
    if (printerName.isEmpty()) {
        GTEST_SKIP() << "runs beside a private print system (tests/support/with_print_system.sh)";
    }
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    ASSERT_EQ(defaultPrinter.printerName(), printerName);
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    const LogReportContent content = Log(150);
    PrintLogReport(printLines, printer, content, RegionalSettings::british(), 46000.5);

    const QString job = FinishedJobLine(qEnvironmentVariable("DORVANTIX_TEST_PAGE_LOG"),
                                        QStringLiteral("Dorvantix Log"));
    ASSERT_FALSE(job.isEmpty()) << "no finished job named Dorvantix Log";
    const QStringList pages =
        PdfReader::pages(qEnvironmentVariable("DORVANTIX_TEST_PRINT_OUTPUT"), kPitch);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(job.contains(QStringLiteral(" total 2 "))) << job.toStdString();
    QStringList lines;
    for (const QString& page : pages) {
        lines += PdfReader::nonEmptyLines(page);
    }
    EXPECT_EQ(lines, ExpectedLines(content, 46000.5));
}

TEST_F(ReportPrintingTest, TheReportComesOutLineForLineInCourierNew) {
    const LogReportContent content = Log(3);
    const DateTime now = encodeDate(QDate(2026, 12, 10)) + encodeTime(14, 5, 9);
    const QStringList pages = print(content, "report.pdf", now);

    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(PdfReader::nonEmptyLines(pages.first()), ExpectedLines(content, now));
    const QString fonts = PdfReader::fonts(dir.filePath("report.pdf"));
    EXPECT_TRUE(fonts.contains("LiberationMono")) << fonts.toStdString();
    EXPECT_EQ(printLines.Font().pointSize(), 8);
    EXPECT_EQ(printLines.ProgressMessage(), "Printing Log...");
}

TEST_F(ReportPrintingTest, TheJobIsNamedDorvantixLog) {
    const auto printer = pdfPrinter("named.pdf");
    PrintLogReport(printLines, *printer, Log(1), RegionalSettings::british(), 46000.5);

    EXPECT_EQ(PdfReader::title(printer->outputFileName()), "Dorvantix Log");
}

TEST_F(ReportPrintingTest, ALongLogPagesAtTheLastLineThatFits) {
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        const auto printer = pdfPrinter("long.pdf");
        printer->setPageSize(QPageSize(paper));
        const LogReportContent content = Log(150);
        PrintLogReport(printLines, *printer, content, RegionalSettings::british(), 46000.5);

        const PrinterMetrics metrics = MetricsOfPrinter(*printer);
        const PageGeometry geometry =
            ComputePageGeometry(metrics,
                                Margins{printLines.MarginTop(), printLines.MarginBottom(),
                                        printLines.MarginLeft(), printLines.MarginRight()},
                                MeasureUnit::muInches);
        const int lineHeight = LineHeight(8, metrics.dpiY, LineSpacing::lsSingleSpace);
        const int linesPerPage = (geometry.height - 1) / lineHeight;
        const int rowsOnPageOne = linesPerPage - 12;

        const QStringList pages = PdfReader::pages(printer->outputFileName(), kPitch);
        ASSERT_EQ(pages.size(), 2) << paper;
        const QStringList first = PdfReader::nonEmptyLines(pages[0]);
        const QStringList second = PdfReader::nonEmptyLines(pages[1]);
        const SessionRow& firstRowThere = content.rows.at(rowsOnPageOne);
        EXPECT_EQ(second.first(),
                  RightTrimmed(ReportTableLine(firstRowThere.date, firstRowThere.description,
                                               firstRowThere.duration, firstRowThere.cost)))
            << paper;
        EXPECT_EQ(first + second, ExpectedLines(content, 46000.5)) << paper;
    }
}

TEST_F(ReportPrintingTest, ALogNameWiderThanThePageIsBrokenAtBlanks) {
    LogReportContent content = Log(1);
    content.logName = QStringLiteral("/home/someone/Documents/Telephone and internet bills/");
    for (int i = 0; i < 4; ++i) {
        content.logName += QStringLiteral("Dial-up calls of the year %1 kept for the tax/").arg(i);
    }
    content.logName += QStringLiteral("log.dvx");
    const QStringList lines = PdfReader::nonEmptyLines(print(content, "name.pdf").first());

    const qsizetype first = lines.indexOf("--------------------") + 1;
    const qsizetype printedAt = lines.indexOf(QRegularExpression("^Printed at .*"));
    ASSERT_GT(printedAt - first, 1) << lines.join(u'\n').toStdString(); // more than one line
    const QString rejoined = lines.mid(first, printedAt - first).join(u' ');
    EXPECT_EQ(rejoined, content.logName);
}

TEST_F(ReportPrintingTest, TwoPrintsInARowMakeTwoSeparateReports) {
    const DateTime first = encodeDate(QDate(2026, 12, 10)) + encodeTime(9, 0, 0);
    const DateTime second = encodeDate(QDate(2026, 12, 11)) + encodeTime(10, 30, 0);
    print(Log(2, "Morning"), "first.pdf", first);
    const QString text = print(Log(1, "Evening"), "second.pdf", second).join(u'\f');

    EXPECT_EQ(text.count("Printed at "), 1);
    EXPECT_TRUE(text.contains("Printed at 11/12/2026 10:30:00"));
    EXPECT_TRUE(text.contains("Evening 1"));
    EXPECT_FALSE(text.contains("Morning"));
    EXPECT_EQ(printLines.Lines(),
              LogReportLines(Log(1, "Evening"), RegionalSettings::british(), second));
}

TEST_F(ReportPrintingTest, TheProgressWindowSaysPrintingLogAndCopiesComeFromTheDialog) {
    const auto printer = pdfPrinter("copies.pdf");
    printer->setCopyCount(2);
    QStringList shown;
    QObject::connect(&printLines, &TPagePrinter::pageSending, &printLines, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<TPPPrnPrgDlg*>(widget); window && window->isVisible()) {
                shown.append(window->lblStatus->text() + " | " + window->lblPageNumber->text());
            }
        }
    });
    PrintLogReport(printLines, *printer, Log(2), RegionalSettings::british(), 46000.5);

    EXPECT_EQ(shown, QStringList({"Printing Log... | Page 1 of 1 x 2 Copies",
                                  "Printing Log... | Page 1 of 1 x 2 Copies"}));
    EXPECT_EQ(PdfReader::pages(printer->outputFileName()).size(), 2);
    EXPECT_EQ(printer->copyCount(), 2);
    // The caller's printer is let go: the page printer is back on the system's default printer,
    // or on none.
    EXPECT_NE(printLines.printer(), printer.get());
}

TEST_F(ReportPrintingTest, PrintLinesMarginsAreRaisedToThePrintersUnprintableStrip) {
    struct Case {
        double printerMargin; // inches
        double textLeft;      // points
    };
    for (const Case& c : {Case{0.25, 18.0}, Case{0.1, 8.4}}) {
        const auto printer = pdfPrinter("margins.pdf");
        printer->setPageMargins(
            QMarginsF(c.printerMargin, c.printerMargin, c.printerMargin, c.printerMargin),
            QPageLayout::Inch);
        TPagePrinter freshPrintLines;
        freshPrintLines.setPrinter(printer.get());
        SetUpPrintLines(freshPrintLines);
        EXPECT_DOUBLE_EQ(freshPrintLines.MarginLeft(), qMax(c.printerMargin, 7.0 / 60.0));

        PrintLogReport(freshPrintLines, *printer, Log(1), RegionalSettings::british(), 46000.5);

        const QPointF firstWord = PdfReader::firstWordPosition(printer->outputFileName());
        EXPECT_NEAR(firstWord.x(), c.textLeft, 0.5) << c.printerMargin;
        EXPECT_NEAR(firstWord.y(), c.textLeft, 2.5) << c.printerMargin;
    }
}
