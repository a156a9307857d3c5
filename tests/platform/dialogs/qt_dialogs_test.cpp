// The boxes and dialogs a user meets, opened for real on the offscreen platform and answered as
// a user answers them: their captions, symbols and buttons, and what each answer returns.
#include "platform/dialogs/error_guard.h"
#include "platform/dialogs/qt_dialogs.h"
#include "store/logfile/log_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace dvx {
namespace {

// Once the next modal window is open, hands it to `answer`. Should the answer leave it open (a
// failed check), it is closed, so a test never hangs in a box.
void WhenOpen(std::function<void(QDialog&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QPointer<QDialog> box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no modal window is open";
            return;
        }
        answer(*box);
        if (box != nullptr && box->isVisible()) {
            ADD_FAILURE() << "the box was left open: " << box->windowTitle().toStdString();
            box->done(QDialog::Rejected);
        }
    });
}

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    for (const QAbstractButton* button : box.buttons())
        texts.append(button->text());
    texts.sort();
    return texts;
}

QAbstractButton* buttonCaptioned(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

TEST(QtDialogs, EachBoxHasTheCaptionSymbolAndButtonsOfItsKind) {
    const struct {
        const char* kind;
        std::function<void(QtDialogs&, const QString&)> show;
        const char* caption;
        QMessageBox::Icon symbol;
        QStringList buttons;
    } cases[] = {
        {"general error", &QtDialogs::applicationError, "Dorvantix", QMessageBox::Critical, {"OK"}},
        {"error", &QtDialogs::error, "Error", QMessageBox::Critical, {"OK"}},
        {"information", &QtDialogs::information, "Information", QMessageBox::Information, {"OK"}},
        {"confirm",
         [](QtDialogs& d, const QString& text) { d.confirm(text); },
         "Confirm",
         QMessageBox::Question,
         {"&No", "&Yes"}},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const QString text = QStringLiteral("Some text of the box");
        bool seen = false;
        WhenOpen([&](QDialog& dialog) {
            seen = true;
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), c.caption);
            EXPECT_EQ(box->icon(), c.symbol);
            EXPECT_EQ(box->text(), text);
            EXPECT_EQ(buttonTexts(*box), c.buttons);
            box->buttons().constFirst()->click();
        });
        c.show(dialogs, text);
        EXPECT_TRUE(seen);
    }
}

TEST(QtDialogs, AConfirmationIsTrueOnlyForYes) {
    const struct {
        const char* answer;
        std::function<void(QMessageBox&)> give;
        bool confirmed;
    } cases[] = {
        {"Yes", [](QMessageBox& box) { buttonCaptioned(box, "&Yes")->click(); }, true},
        {"No", [](QMessageBox& box) { buttonCaptioned(box, "&No")->click(); }, false},
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
        {"closed", [](QMessageBox& box) { box.close(); }, false},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        WhenOpen([&](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr);
            ASSERT_NE(buttonCaptioned(*box, "&Yes"), nullptr);
            ASSERT_NE(buttonCaptioned(*box, "&No"), nullptr);
            c.give(*box);
        });
        EXPECT_EQ(dialogs.confirm(QStringLiteral("Stop charging current call?")), c.confirmed);
    }
}

// An error that no handler catches reaches the user in the general error box, with the full
// stop after a text that ends in a letter or a digit.
TEST(QtDialogs, TheGeneralErrorBoxShowsAnUncaughtErrorWithItsFullStop) {
    const struct {
        const char* raised;
        const char* shown;
    } cases[] = {
        {"Integer overflow", "Integer overflow."},
        {"'25:00:00' is not a valid time", "'25:00:00' is not a valid time."},
        {"Disk full.", "Disk full."},
        {"(none)", "(none)"},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raised);
        QString shown;
        WhenOpen([&](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Dorvantix");
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            shown = box->text();
            box->buttons().constFirst()->click();
        });
        Guarded(dialogs, [&] { throw std::runtime_error(c.raised); });
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
    }
}

class FileDialogTest : public ::testing::Test {
protected:
    FileDialogOptions options() const {
        return {folder.path(), QString::fromLatin1(kLogFileDialogFilter),
                QString::fromLatin1(kLogFileExtension)};
    }
    QString pathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }
    // What every log file dialog offers: the folder, the log files only, the extension added to a
    // name typed without one, a size the user can change.
    void expectLogFileOptions(const QFileDialog& dialog) const {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Dorvantix Log (*.dvx)"}));
        EXPECT_EQ(dialog.defaultSuffix(), "dvx");
        EXPECT_TRUE(dialog.isSizeGripEnabled());
    }

    QTemporaryDir folder;
    QtDialogs dialogs;
};

TEST_F(FileDialogTest, TheSaveDialogAddsTheExtensionToANameTypedWithoutIt) {
    for (const char* typed : {"calls", "calls.dvx"}) {
        SCOPED_TRACE(typed);
        WhenOpen([&](QDialog& dialog) {
            auto* files = qobject_cast<QFileDialog*>(&dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->windowTitle(), "Save As");
            EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_FALSE(files->testOption(QFileDialog::DontConfirmOverwrite));
            expectLogFileOptions(*files);
            files->selectFile(QString::fromLatin1(typed));
            dialog.accept(); // QFileDialog::accept, as the Save or Open button runs it
        });
        EXPECT_EQ(dialogs.saveFileName(options()), pathOf("calls.dvx"));
    }
}

TEST_F(FileDialogTest, TheSaveDialogAsksBeforeItReplacesAFile) {
    QFile log(pathOf("kept.dvx"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.close();
    bool asked = false;
    WhenOpen([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(files, nullptr);
        WhenOpen([&](QDialog& question) {
            asked = true;
            auto* box = qobject_cast<QMessageBox*>(&question);
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->text().contains("kept.dvx")) << box->text().toStdString();
            ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
            box->button(QMessageBox::Yes)->click();
        });
        files->selectFile(QStringLiteral("kept"));
        dialog.accept(); // QFileDialog::accept, as the Save or Open button runs it
    });
    EXPECT_EQ(dialogs.saveFileName(options()), pathOf("kept.dvx"));
    EXPECT_TRUE(asked);
}

TEST_F(FileDialogTest, TheOpenDialogTakesAnExistingFile) {
    QFile log(pathOf("old.dvx"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.close();
    WhenOpen([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->windowTitle(), "Open");
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
        expectLogFileOptions(*files);
        files->selectFile(QStringLiteral("old.dvx"));
        dialog.accept(); // QFileDialog::accept, as the Save or Open button runs it
    });
    EXPECT_EQ(dialogs.openFileName(options()), pathOf("old.dvx"));
}

TEST_F(FileDialogTest, CancellingEitherDialogChoosesNothing) {
    for (bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "open");
        WhenOpen([](QDialog& dialog) { dialog.reject(); });
        const std::optional<QString> chosen =
            save ? dialogs.saveFileName(options()) : dialogs.openFileName(options());
        EXPECT_FALSE(chosen.has_value());
    }
}

} // namespace
} // namespace dvx
