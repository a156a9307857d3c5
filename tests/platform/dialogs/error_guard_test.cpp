#include "platform/dialogs/error_guard.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace dvx {
namespace {

TEST(ApplicationErrorText, AddsAFullStopAfterACharacterBeyondIt) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Range check error", "Range check error."},
        {"'25:00:00' is not a valid time", "'25:00:00' is not a valid time."},
        {"Disk full.", "Disk full."},
        {"Version 7", "Version 7."},
        {"Done!", "Done!"},          // "!" comes before the full stop
        {"(none)", "(none)"},        // so does ")"
        {"/usr/lib/", "/usr/lib/."}, // "/" comes after it
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplicationErrorText(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown))
            << c.text;
}

TEST(Guarded, ShowsTheErrorAndStopsTheHandlerThere) {
    FakeDialogs dialogs;
    dialogs.expect(BoxKind::applicationError);
    int stepsDone = 0;
    Guarded(dialogs, [&] {
        ++stepsDone;
        throw integerOverflow();
        ++stepsDone;
    });
    EXPECT_EQ(stepsDone, 1);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].kind, BoxKind::applicationError);
    EXPECT_EQ(dialogs.shown()[0].text, "Integer overflow.");
}

TEST(Guarded, ShowsErrorsFromOutsideTheProgramToo) {
    FakeDialogs dialogs;
    dialogs.expect(BoxKind::applicationError);
    Guarded(dialogs, [] { throw std::runtime_error("File access denied"); });
    EXPECT_EQ(dialogs.texts(), QStringList{"File access denied."});
}

TEST(Guarded, ShowsAnErrorsDetailBelowItsTextAfterAnEmptyLine) {
    FakeDialogs dialogs;
    dialogs.expect(BoxKind::applicationError);
    Guarded(dialogs, [] {
        throw DetailedError("Disk full", "The log could not be saved as /media/stick/calls.dvx.");
    });
    EXPECT_EQ(dialogs.texts(),
              QStringList{"Disk full.\n\nThe log could not be saved as /media/stick/calls.dvx."});
}

TEST(Guarded, ShowsNothingWhenTheHandlerSucceeds) {
    FakeDialogs dialogs;
    bool ran = false;
    Guarded(dialogs, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

} // namespace
} // namespace dvx
