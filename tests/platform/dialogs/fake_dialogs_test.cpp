#include "support/fake_dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(FakeDialogs, AnswersTheScriptedBoxesInOrder) {
    FakeDialogs dialogs;
    dialogs.expect(BoxKind::confirm, true)
        .expect(BoxKind::input, QStringLiteral("typed"))
        .expect(BoxKind::input)
        .expect(BoxKind::information);
    EXPECT_TRUE(dialogs.confirm(QStringLiteral("Sure?")));
    EXPECT_EQ(dialogs.inputBox(QStringLiteral("Caption"), QStringLiteral("Prompt"),
                               QStringLiteral("proposed")),
              QStringLiteral("typed"));
    EXPECT_EQ(dialogs.inputBox(QString(), QString(), QString()), std::nullopt);
    dialogs.information(QStringLiteral("Done"));
    EXPECT_EQ(dialogs.pending(), 0);
    ASSERT_EQ(dialogs.shown().size(), 4);
    EXPECT_EQ(dialogs.shown()[1].detail, "proposed");
    EXPECT_EQ(dialogs.shown()[1].caption, "Caption");
    EXPECT_EQ(dialogs.shown()[3].kind, BoxKind::information);
}

TEST(FakeDialogs, AnUnexpectedBoxFailsTheTestAndIsAnsweredNo) {
    FakeDialogs dialogs;
    bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.confirm(QStringLiteral("Reset?")),
                            "unexpected confirmation box");
    EXPECT_FALSE(answer);
    dialogs.expect(BoxKind::error);
    EXPECT_NONFATAL_FAILURE(dialogs.information(QStringLiteral("Hello")),
                            "unexpected information box");
    dialogs.clear();
}

TEST(FakeDialogs, ABoxThatNeverCameFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            FakeDialogs dialogs;
            dialogs.expect(BoxKind::saveFile, QStringLiteral("/tmp/log.dvx"));
        },
        "save dialog was expected but never shown");
}

TEST(FakeDialogs, RunsTheActionWhileTheBoxIsOpen) {
    FakeDialogs dialogs;
    int ticks = 0;
    dialogs.expect(BoxKind::confirm, false).whileOpen([&] { ++ticks; });
    EXPECT_FALSE(dialogs.confirm(QStringLiteral("Stop?")));
    EXPECT_EQ(ticks, 1);
}

} // namespace
} // namespace dvx
