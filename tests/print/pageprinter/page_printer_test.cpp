#include "print/pageprinter/page_printer.h"

#include "../common/qstring_printer.h"

#include "print/pageprinter/page_printer_error.h"
#include "print/pageprinter/progress_dialog.h"

#include "../common/pdf_reader.h"
#include "../common/qt_application.h"

#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace dvx;
using test::PdfReader;

namespace {

TPPPrnPrgDlg* VisibleProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<TPPPrnPrgDlg*>(widget); dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

bool AnyMessageBoxShown() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget) && widget->isVisible()) {
            return true;
        }
    }
    return false;
}

// A page printer printing to a PDF file, as "Print to File (PDF)" does.
class PagePrinterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureApplication(); }

    void SetUp() override {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile());
        pagePrinter.setPrinter(printer.get());
    }

    QString pdfFile() const { return dir.filePath(QStringLiteral("pages.pdf")); }

    void recordPages(const QStringList& pageTexts) {
        pagePrinter.BeginDocument();
        for (qsizetype i = 0; i < pageTexts.size(); ++i) {
            if (i > 0) {
                pagePrinter.NextPage();
            }
            pagePrinter.WriteLine(pageTexts[i]);
        }
        pagePrinter.EndDocument();
    }

    // Runs handler each time a page is about to be sent.
    void onPage(std::function<void(int)> handler) {
        QObject::connect(&pagePrinter, &TPagePrinter::pageSending, &pagePrinter,
                         [handler](int pageNumber, int) { handler(pageNumber); });
    }

    QStringList firstLinesOfPages() const {
        QStringList firstLines;
        for (const QString& page : PdfReader::pages(pdfFile())) {
            const QStringList lines = PdfReader::nonEmptyLines(page);
            firstLines.append(lines.isEmpty() ? QString() : lines.first().trimmed());
        }
        return firstLines;
    }

    void skipWithoutPdfTools() {
        if (!PdfReader::toolsAvailable()) {
            GTEST_SKIP() << "pdftotext and pdffonts (poppler-utils) are needed to read the PDF";
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<QPrinter> printer;
    TPagePrinter pagePrinter;
};

} // namespace

TEST_F(PagePrinterTest, ThreePagesShowTheirNumbersAndArePrintedOnThreeSheets) {
    skipWithoutPdfTools();
    printer->setCopyCount(2);
    recordPages({"page one", "page two", "page three"});
    struct Seen {
        QString status;
        QString pageText;
        int bar;
        int copiesOnPrinter;
    };
    QList<Seen> seen;
    onPage([&](int) {
        TPPPrnPrgDlg* window = VisibleProgressWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        seen.append({window->lblStatus->text(), window->lblPageNumber->text(),
                     window->ProgBar->value(), printer->copyCount()});
    });

    EXPECT_TRUE(pagePrinter.PrintPages());

    ASSERT_EQ(seen.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(seen[i].status, "Sending Pages To Printer");
        EXPECT_EQ(seen[i].pageText, QStringLiteral("Page %1 of 3").arg(i + 1));
        EXPECT_EQ(seen[i].bar, i + 1);
        EXPECT_EQ(seen[i].copiesOnPrinter, 1);
    }
    EXPECT_EQ(VisibleProgressWindow(), nullptr);
    EXPECT_EQ(printer->copyCount(), 2);
    EXPECT_EQ(firstLinesOfPages(), QStringList({"page one", "page two", "page three"}));
}

TEST_F(PagePrinterTest, EveryLineIsPrintedOnceOneLineBelowTheLastAtItsAlignedPlace) {
    skipWithoutPdfTools();
    printer->setPageSize(QPageSize(QPageSize::A4));
    const TextAlignment alignments[] = {TextAlignment::left, TextAlignment::right,
                                        TextAlignment::centre};
    QStringList written;
    pagePrinter.BeginDocument();
    for (int i = 1; i <= 120; ++i) {
        pagePrinter.setAlignment(alignments[i % 3]);
        written.append(QStringLiteral("line %1 of the document").arg(i));
        pagePrinter.WriteLine(written.last());
    }
    pagePrinter.EndDocument();
    ASSERT_TRUE(pagePrinter.PrintPages());

    // In points: the default 10 point font's em height in whole printer dots, and where each
    // alignment puts a line: the edges and the middle of the area inside the margins.
    const int dpi = printer->logicalDpiY();
    const double oneDot = 72.0 / dpi;
    const double lineHeight = qRound(10.0 * dpi / 72.0) * oneDot;
    const double left = pagePrinter.MarginLeft() * 72.0;
    const double right =
        printer->paperRect(QPrinter::Point).width() - pagePrinter.MarginRight() * 72.0;
    const auto placeOf = [](TextAlignment alignment, const QRectF& box) {
        switch (alignment) {
        case TextAlignment::right:
            return box.right();
        case TextAlignment::centre:
            return box.center().x();
        case TextAlignment::left:
            break;
        }
        return box.left();
    };
    const std::map<TextAlignment, double> places = {{TextAlignment::left, left},
                                                    {TextAlignment::right, right},
                                                    {TextAlignment::centre, (left + right) / 2}};
    std::optional<double> firstLeft;
    const QList<QList<test::PrintedLine>> pages = PdfReader::placedLines(pdfFile());
    ASSERT_EQ(pages.size(), 2);
    ASSERT_FALSE(pages[0].isEmpty());
    const double top = pages[0].first().box.top();
    QStringList read;
    for (qsizetype pageIndex = 0; pageIndex < pages.size(); ++pageIndex) {
        const QList<test::PrintedLine>& page = pages[pageIndex];
        for (qsizetype row = 0; row < page.size(); ++row) {
            const test::PrintedLine& line = page[row];
            const std::string where =
                QStringLiteral("page %1, %2").arg(pageIndex + 1).arg(line.text).toStdString();
            EXPECT_NEAR(line.box.top(), top + row * lineHeight, 0.001) << where;
            // Left-aligned lines stand exactly where the first one does. The printout's own
            // glyph widths differ a little from the measured ones: the other two alignments
            // land within two dots of their place.
            const TextAlignment alignment = alignments[(read.size() + 1) % 3];
            const double place = placeOf(alignment, line.box);
            EXPECT_NEAR(place, places.at(alignment), 2 * oneDot) << where;
            if (alignment == TextAlignment::left) {
                if (!firstLeft) {
                    firstLeft = place;
                }
                EXPECT_NEAR(place, *firstLeft, 0.001) << where;
            }
            read.append(line.text);
        }
    }
    EXPECT_EQ(read, written);
}

TEST_F(PagePrinterTest, CancelOnPageTwoOfThreePrintsTheSheetsAlreadySent) {
    skipWithoutPdfTools();
    recordPages({"page one", "page two", "page three"});
    QList<int> pagesShown;
    onPage([&](int pageNumber) {
        pagesShown.append(pageNumber);
        if (pageNumber == 2) {
            QTest::mouseClick(VisibleProgressWindow()->btnCancel, Qt::LeftButton);
        }
    });

    EXPECT_FALSE(pagePrinter.PrintPages());

    EXPECT_EQ(pagesShown, QList<int>({1, 2}));
    EXPECT_FALSE(AnyMessageBoxShown());
    EXPECT_EQ(VisibleProgressWindow(), nullptr);
    EXPECT_EQ(firstLinesOfPages(), QStringList({"page one", "page two"}));
}

TEST_F(PagePrinterTest, TimersGoOnAndANewDocumentLeavesThePagesBeingSentAlone) {
    skipWithoutPdfTools();
    recordPages({"page one", "page two", "page three"});
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(0);
    bool secondPrintRefused = false;
    onPage([&](int pageNumber) {
        if (pageNumber != 1) {
            return;
        }
        recordPages({"another document"});
        try {
            pagePrinter.PrintPages();
        } catch (const EPagePrinter&) {
            secondPrintRefused = true;
        }
    });

    EXPECT_TRUE(pagePrinter.PrintPages());

    EXPECT_GE(ticks, 2);
    EXPECT_TRUE(secondPrintRefused);
    EXPECT_EQ(firstLinesOfPages(), QStringList({"page one", "page two", "page three"}));
    EXPECT_EQ(pagePrinter.PageCount(), 1); // the new document waits to be sent
}

TEST_F(PagePrinterTest, CopiesAreMadeByThePagePrinterInTheChosenOrder) {
    skipWithoutPdfTools();
    recordPages({"page one", "page two"});
    pagePrinter.setCopies(2);
    pagePrinter.setCollate(false);
    pagePrinter.setProgressMessage("Printing Log...");
    QStringList texts;
    onPage([&](int) {
        texts.append(VisibleProgressWindow()->lblStatus->text() + " | " +
                     VisibleProgressWindow()->lblPageNumber->text());
    });

    EXPECT_TRUE(pagePrinter.PrintPages());

    EXPECT_EQ(texts.first(), "Printing Log... | Page 1 of 2 x 2 Copies");
    EXPECT_EQ(firstLinesOfPages(), QStringList({"page one", "page one", "page two", "page two"}));
}

TEST_F(PagePrinterTest, APrinterThatCannotStartReportsItAndLeavesNothingBehind) {
    printer->setOutputFileName(dir.filePath(QStringLiteral("no such folder/pages.pdf")));
    printer->setCopyCount(3);
    recordPages({"page one"});
    try {
        pagePrinter.PrintPages();
        ADD_FAILURE() << "the failure to start printing went unnoticed";
    } catch (const EPagePrinter& error) {
        EXPECT_EQ(
            error.text(),
            QStringLiteral("Unable to print to the file \"%1\"").arg(printer->outputFileName()));
    }
    EXPECT_EQ(VisibleProgressWindow(), nullptr);
    EXPECT_EQ(printer->copyCount(), 3);
    EXPECT_FALSE(pagePrinter.Sending());
}

TEST_F(PagePrinterTest, ChangesThatWouldSpoilTheDocumentAreRefusedWhileRecording) {
    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { pagePrinter.setMarginTop(1); }, "Unable to change top margin while printing"},
        {[&] { pagePrinter.setMarginBottom(1); }, "Unable to change bottom margin while printing"},
        {[&] { pagePrinter.setMarginLeft(1); }, "Unable to change left margin while printing"},
        {[&] { pagePrinter.setMarginRight(1); }, "Unable to change right margin while printing"},
        {[&] { pagePrinter.setOrientation(QPageLayout::Landscape); },
         "Unable to change orientation while printing"},
    };
    pagePrinter.BeginDocument();
    for (const auto& [change, message] : cases) {
        try {
            change();
            ADD_FAILURE() << "no error for: " << message.toStdString();
        } catch (const EPagePrinter& error) {
            EXPECT_EQ(error.text(), message);
        }
    }
    pagePrinter.EndDocument();
    EXPECT_THROW(pagePrinter.WriteLine("too late"), EPagePrinter);
}

TEST_F(PagePrinterTest, MarginsAreRaisedToThePrintersUnprintableStrip) {
    const PrinterMetrics pdf = pagePrinter.printerMetrics();
    ASSERT_GT(pdf.offsetLeft, 0.1);
    pagePrinter.setMarginLeft(0.11666666666666667);
    pagePrinter.setMarginTop(2.0);
    EXPECT_DOUBLE_EQ(pagePrinter.MarginLeft(), qMax(0.11666666666666667, pdf.offsetLeft));
    EXPECT_DOUBLE_EQ(pagePrinter.MarginTop(), 2.0);

    pagePrinter.setMeasureUnit(MeasureUnit::muMillimeters);
    EXPECT_NEAR(pagePrinter.MarginTop(), 50.8, 1e-9);
    pagePrinter.setMarginRight(1.0);
    EXPECT_NEAR(pagePrinter.MarginRight(), pdf.offsetRight * 25.4, 1e-9);
}

TEST(PagePrinterWithoutPrinter, LaysOutWithTheAssumedPrinterAndRefusesToSend) {
    test::EnsureApplication();
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer, so the assumed values are not used";
    }
    TPagePrinter pagePrinter;
    const PrinterMetrics assumed = pagePrinter.printerMetrics();
    EXPECT_EQ(assumed.title, "<Unknown>");
    EXPECT_EQ(assumed.dpiY, 300);
    pagePrinter.setMarginLeft(0.11666666666666667);
    EXPECT_DOUBLE_EQ(pagePrinter.MarginLeft(), 0.25);

    pagePrinter.BeginDocument();
    pagePrinter.WriteLine(QString(400, u'x')); // 8 inches of 10 point Courier fit the line
    pagePrinter.EndDocument();
    EXPECT_EQ(pagePrinter.PageCount(), 1);
    try {
        pagePrinter.PrintPages();
        ADD_FAILURE() << "pages were sent to no printer";
    } catch (const EPagePrinter& error) {
        EXPECT_EQ(error.text(), "There is no printer to print on");
    }
}
