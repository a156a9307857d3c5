// Print Log through its button, printing to a PDF file chosen in a scripted print dialog and
// read back as a person checking the printout would.
#include "../../print/common/pdf_reader.h"
#include "../../print/common/qstring_printer.h"
#include "../log_file/forwarding_dialogs.h"

#include "metering/session_list_model.h"
#include "print/pageprinter/page_printer.h"
#include "print/report/log_report_lines.h"
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/fake_dialogs.h"
#include "support/fake_run_list.h"
#include "support/store_hive.h"
#include "ui/main_window/frm_main.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace dvx {
namespace {

// Shows these rows in the window's session list, as a fill or a load would.
void showRows(TfrmMain& window, const SessionRows& rows) {
    qobject_cast<SessionListModel*>(window.LVSessions->model())->setRows(rows);
}

using test::PdfReader;

// The advance of one character of 8 point "Courier New" in points: 0.6 em.
constexpr double kPitch = 4.8;

// The print dialog as a user answers it who picks "Print to File (PDF)" and names the file.
class PdfPrintDialogs final : public test::ForwardingDialogs {
public:
    using ForwardingDialogs::ForwardingDialogs;
    bool choosePrinter(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return ForwardingDialogs::choosePrinter(printer);
    }
    QString outputFile;
};

const SessionRows kSessions = {
    {"03/03/2026 09:15:00", "A description longer than one column", "12min, 05sec", "£1.25"},
    {"04/03/2026 18:30:10", "Evening call", "0min, 59sec", "£0.05"},
};

// The main window showing a loaded log of two sessions; the clock shows 03/03/2026 12:00:00.
class PrintLogHandlerTest : public ::testing::Test {
protected:
    PrintLogHandlerTest()
        : dialogs(fakes),
          window(MainWindowServices{clock, connection, dialogs, RegionalSettings::british(),
                                    runList, hive.settingsStore, hive.sessionLog}) {
        window.buildControls();
        showRows(window, kSessions);
        window.lblLogname->setText("/home/user/Dorvantix/March calls.dvx");
        window.edtTotalCallTime->setText("13min, 04sec");
        window.edtTotalCost->setText("£1.30");
    }

    void SetUp() override {
        if (!PdfReader::toolsAvailable())
            GTEST_SKIP() << "pdftotext and pdffonts (poppler-utils) are needed to read the PDF";
    }

    // Prints with the print dialog accepted, to a PDF file of that name.
    void print(const QString& name) {
        dialogs.outputFile = dir.filePath(name);
        fakes.expect(BoxKind::printer, true);
        window.btnPrintLog->click();
    }

    // The lines printed, trailing blanks (which a printout cannot show) and empty lines left out.
    QStringList printedLines(const QString& name) const {
        QStringList lines;
        for (const QString& page : PdfReader::pages(dir.filePath(name), kPitch))
            lines += PdfReader::nonEmptyLines(page);
        return lines;
    }

    static QString tableLine(const SessionRow& row) {
        return ReportTableLine(row.date, row.description, row.duration, row.cost).trimmed();
    }

    QTemporaryDir dir;
    test::StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    FakeRunList runList;
    FakeDialogs fakes;
    PdfPrintDialogs dialogs;
    TfrmMain window;
};

TEST_F(PrintLogHandlerTest, PrintsTheLogAsTheWindowShowsIt) {
    print("log.pdf");
    EXPECT_EQ(printedLines("log.pdf"),
              QStringList({"Dorvantix Log", "--------------------",
                           "/home/user/Dorvantix/March calls.dvx", "Printed at 03/03/2026 12:00:00",
                           tableLine({"Date/Time", "Description", "Duration", "Cost"}),
                           tableLine({"---------", "-----------", "--------", "----"}),
                           tableLine(kSessions[0]), tableLine(kSessions[1]),
                           "Total Time = 13min, 04sec    Total Cost = £1.30"}));
    EXPECT_EQ(window.sessionList().rows(), kSessions);
    EXPECT_EQ(window.lblLogname->text(), "/home/user/Dorvantix/March calls.dvx");
    EXPECT_EQ(window.edtTotalCallTime->text(), "13min, 04sec");
    EXPECT_EQ(window.edtTotalCost->text(), "£1.30");
    EXPECT_TRUE(window.btnPrintLog->isEnabled());
    EXPECT_EQ(fakes.shown().size(), 1);
}

// The second report is made from what the window shows then, and holds nothing of the first.
TEST_F(PrintLogHandlerTest, PrintingAgainPrintsTheListAsItIsNow) {
    print("first.pdf");
    showRows(window, kSessions.mid(1));
    clock.advanceSeconds(90);
    print("second.pdf");
    const QStringList second = printedLines("second.pdf");
    EXPECT_TRUE(second.contains("Printed at 03/03/2026 12:01:30"));
    EXPECT_EQ(second.filter("Printed at").size(), 1);
    EXPECT_FALSE(second.contains(tableLine(kSessions[0])));
    EXPECT_TRUE(second.contains(tableLine(kSessions[1])));
}

TEST_F(PrintLogHandlerTest, CancelledPrintDialogPrintsNothing) {
    dialogs.outputFile = dir.filePath("never.pdf");
    fakes.expect(BoxKind::printer, false);
    window.btnPrintLog->click();
    EXPECT_FALSE(QFile::exists(dir.filePath("never.pdf")));
    EXPECT_TRUE(window.PrintLines()->Lines().isEmpty());
    EXPECT_TRUE(window.btnPrintLog->isEnabled());
}

// While the pages are being sent the timers and clicks go on: Print Log cannot be pressed, and
// the command itself refuses before it opens the print dialog.
TEST_F(PrintLogHandlerTest, PrintLogWaitsUntilThePagesAreSent) {
    bool enabledWhileSending = true;
    QObject::connect(window.PrintLines(), &TPagePrinter::pageSending, &window, [&] {
        enabledWhileSending = window.btnPrintLog->isEnabled();
        window.btnPrintLog->click();
        window.runGuarded([&] { window.btnPrintLogClick(); });
    });
    dialogs.outputFile = dir.filePath("log.pdf");
    fakes.expect(BoxKind::printer, true).expect(BoxKind::applicationError);
    window.btnPrintLog->click();
    EXPECT_FALSE(enabledWhileSending);
    ASSERT_EQ(fakes.shown().size(), 2);
    EXPECT_EQ(fakes.shown()[1].text,
              "Unable to print while pages are still being sent to the printer.");
    EXPECT_TRUE(window.btnPrintLog->isEnabled());
    EXPECT_TRUE(printedLines("log.pdf").contains("Dorvantix Log"));
}

// An error of the printing system is shown by the general error box; Print Log works again
// afterwards.
TEST_F(PrintLogHandlerTest, PrinterErrorIsShownAndPrintLogWorksAgain) {
    dialogs.outputFile = dir.filePath("no such folder/log.pdf");
    fakes.expect(BoxKind::printer, true).expect(BoxKind::applicationError);
    window.btnPrintLog->click();
    ASSERT_EQ(fakes.shown().size(), 2);
    EXPECT_EQ(fakes.shown()[1].kind, BoxKind::applicationError);
    EXPECT_TRUE(fakes.shown()[1].text.startsWith("Unable to print to the file"));
    EXPECT_TRUE(window.btnPrintLog->isEnabled());

    print("log.pdf");
    EXPECT_TRUE(printedLines("log.pdf").contains("Dorvantix Log"));
}

} // namespace
} // namespace dvx
