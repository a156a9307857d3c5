#include "print/pageprinter/progress_dialog.h"

#include "../common/qstring_printer.h"

#include "../common/qt_application.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace dvx;

class ProgressDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureApplication(); }
};

TEST_F(ProgressDialogTest, ControlsSitWhereTheLayoutPutsThem) {
    TPPPrnPrgDlg dialog(true);
    EXPECT_EQ(dialog.size(), QSize(293, 133));
    EXPECT_EQ(dialog.Bevel1->geometry(), QRect(8, 8, 277, 57));
    EXPECT_EQ(dialog.lblStatus->geometry(), QRect(20, 20, 249, 13));
    EXPECT_EQ(dialog.lblPageNumber->geometry(), QRect(20, 40, 253, 13));
    EXPECT_EQ(dialog.ProgBar->geometry(), QRect(8, 76, 277, 13));
    EXPECT_EQ(dialog.btnCancel->geometry(), QRect(109, 100, 75, 25));
    EXPECT_EQ(dialog.btnCancel->text(), "&Cancel");
    EXPECT_TRUE(dialog.btnCancel->isDefault());
    EXPECT_EQ(dialog.btnCancel->accessibleName(), "Cancel");
    EXPECT_EQ(dialog.ProgBar->accessibleName(), "Pages Sent");
    EXPECT_TRUE(dialog.lblStatus->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(dialog.font().pixelSize(), 11);
}

TEST_F(ProgressDialogTest, WithoutCancelTheButtonIsGoneAndTheWindowShorter) {
    TPPPrnPrgDlg dialog(false);
    dialog.showCentred();
    EXPECT_EQ(dialog.height(), 98);
    EXPECT_FALSE(dialog.btnCancel->isVisible());
    EXPECT_FALSE(dialog.btnCancel->isEnabled());
    QSignalSpy cancels(&dialog, &TPPPrnPrgDlg::cancelClicked);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(cancels.count(), 0);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ProgressDialogTest, CancelButtonEscapeAndClosingAllAskToCancel) {
    TPPPrnPrgDlg dialog(true);
    dialog.showCentred();
    QSignalSpy cancels(&dialog, &TPPPrnPrgDlg::cancelClicked);
    QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_EQ(cancels.count(), 3);
    EXPECT_TRUE(dialog.isVisible()); // it stays until sending ends
}

TEST_F(ProgressDialogTest, EachPageUpdatesTheTextsAndTheBar) {
    TPPPrnPrgDlg dialog(true);
    dialog.showPage("Report", "Printing Log...", "Page 2 of 3", 2, 3);
    EXPECT_EQ(dialog.windowTitle(), "Report");
    EXPECT_EQ(dialog.lblStatus->text(), "Printing Log...");
    EXPECT_EQ(dialog.lblPageNumber->text(), "Page 2 of 3");
    EXPECT_EQ(dialog.ProgBar->maximum(), 3);
    EXPECT_EQ(dialog.ProgBar->value(), 2);
}
