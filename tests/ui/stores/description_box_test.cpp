// The description of a finished session: proposed, asked for when the user wants that, and
// stored; and the input box the user answers.
#include "support/main_window_test.h"

#include "platform/dialogs/qt_dialogs.h"
#include "store/settings/store_keys.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace dvx {
namespace {

class DescriptionTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        loadWith(QStringLiteral("\"DefaultDescription\"=\"Home ISP\"\n"));
    }
    QString storedDescription() const {
        return hive.value(RecordKey(QStringLiteral("0")), QStringLiteral("Description"))->text;
    }
};

TEST_F(DescriptionTest, TheProposalIsKeptUnlessTheUserConfirmsOtherText) {
    enum class Ask { no, ok, cancel };
    const struct {
        bool manual;
        Ask ask;
        const char* typed;
        const char* stored;
    } cases[] = {
        {false, Ask::no, "", "Home ISP"},
        {true, Ask::no, "", "Manual Connection"},
        {false, Ask::ok, "Sent the accounts", "Sent the accounts"},
        {true, Ask::ok, "", ""},
        {false, Ask::cancel, "", "Home ISP"},
        {true, Ask::cancel, "", "Manual Connection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.manual << int(c.ask) << c.typed);
        hive.seed(
            QStringLiteral("[-HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions]\n"));
        dialogs.clear();
        loadWith(c.ask != Ask::no ? QStringLiteral("\"PromptForDescription\"=dword:00000001\n")
                                  : QStringLiteral("\"PromptForDescription\"=dword:00000000\n"));
        const auto scriptBox = [this, &c] {
            if (c.ask == Ask::ok)
                dialogs.expect(BoxKind::input, QString::fromUtf8(c.typed));
            else if (c.ask == Ask::cancel)
                dialogs.expect(BoxKind::input);
        };
        if (c.manual) {
            manualSession(30, scriptBox);
        } else {
            scriptBox();
            automaticSession(30);
        }
        EXPECT_EQ(storedDescription(), QString::fromUtf8(c.stored));
        EXPECT_EQ(dialogs.pending(), 0);
        for (const FakeDialogs::Shown& box : dialogs.shown()) {
            if (box.kind != BoxKind::input)
                continue;
            EXPECT_EQ(box.caption, "Dorvantix - Session Close");
            EXPECT_EQ(box.text, "Please enter a description for this session");
            EXPECT_EQ(box.detail, c.manual ? "Manual Connection" : "Home ISP");
        }
    }
}

// While the box is open, the record holds everything, the proposed description too, and the
// totals are written: a crash then loses only the answer.
TEST_F(DescriptionTest, TheRecordAndTotalsAreWrittenBeforeTheBoxOpens) {
    loadWith(QStringLiteral("\"PromptForDescription\"=dword:00000001\n"
                            "\"DefaultDescription\"=\"Home ISP\"\n"));
    dialogs.expect(BoxKind::input, QStringLiteral("typed")).whileOpen([this] {
        const QString key = RecordKey(QStringLiteral("0"));
        EXPECT_EQ(hive.valueNames(key),
                  QStringList({"CallTime", "SessionStart", "SessionStop", "CallCharges",
                               "ConnectionName", "Number", "Description"}));
        EXPECT_EQ(storedDescription(), "Home ISP");
        EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(45));
    });
    automaticSession(45);
    EXPECT_EQ(storedDescription(), "typed");
}

// A box left open for minutes adds nothing to the call: the one-second tick waits for it, and
// goes on once it is answered.
TEST_F(DescriptionTest, TheTickIsOffWhileTheBoxIsOpen) {
    loadWith(QStringLiteral("\"PromptForDescription\"=dword:00000001\n"));
    for (bool manual : {false, true}) {
        SCOPED_TRACE(manual ? "manual" : "automatic");
        bool ticking = true;
        const auto scriptBox = [this, &ticking] {
            dialogs.expect(BoxKind::input, QStringLiteral("typed")).whileOpen([this, &ticking] {
                ticking = window.DurationTimer->isActive();
            });
        };
        if (manual) {
            manualSession(30, scriptBox);
        } else {
            scriptBox();
            automaticSession(30);
        }
        EXPECT_EQ(dialogs.pending(), 0);
        EXPECT_FALSE(ticking);
        EXPECT_TRUE(window.DurationTimer->isActive());
    }
}

// The real box: its caption and prompt, at most 255 characters, the proposal selected, and
// nothing when it is cancelled.
TEST(DescriptionBox, OffersTheProposalSelectedAndHoldsAtMost255Characters) {
    QtDialogs dialogs;
    const QString proposed = QStringLiteral("Home ISP");
    for (bool accept : {true, false}) {
        SCOPED_TRACE(accept);
        QTimer::singleShot(0, [accept, proposed] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Dorvantix - Session Close");
            EXPECT_EQ(box->labelText(), "Please enter a description for this session");
            auto* edit = box->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->maxLength(), 255);
            EXPECT_EQ(edit->selectedText(), proposed);
            edit->setText(QString(300, QLatin1Char('x')));
            accept ? box->accept() : box->reject();
        });
        const std::optional<QString> answer = dialogs.inputBox(
            QStringLiteral("Dorvantix - Session Close"),
            QStringLiteral("Please enter a description for this session"), proposed);
        if (accept) {
            EXPECT_EQ(answer, QString(255, QLatin1Char('x')));
        } else {
            EXPECT_FALSE(answer.has_value());
        }
    }
}

} // namespace
} // namespace dvx
