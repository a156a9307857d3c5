// Finished calls the hive cannot take at once: kept, said in the status bar, written whole at a
// later tick, and never dropped.
#include "support/main_window_test.h"

#include "store/registry/hive.h"
#include "store/settings/store_keys.h"

#include <QLabel>
#include <QStatusBar>
#include <chrono>

namespace dvx {
namespace {

class UnsavedSessionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        run([this] { window.LoadSettings(); });
        hive.hive().setBusyWait(std::chrono::milliseconds(20));
    }

    QString unsavedText() const {
        const auto* label = window.SB->findChild<QLabel*>(QStringLiteral("lblUnsaved"));
        return label != nullptr && label->isVisibleTo(window.SB) ? label->text() : QString();
    }
};

TEST_F(UnsavedSessionsTest, CallsEndingWhileAnotherProgramHoldsTheHiveLandLaterInOrder) {
    {
        // Another program writes to the hive and holds it for the length of this block.
        Hive other(hive.hive().file());
        Hive::Transaction holding(other);
        ASSERT_TRUE(other.writeValue(QStringLiteral("Software\\Other"), QStringLiteral("x"),
                                     RegValue::ofDword(1)));
        automaticSession(60);
        automaticSession(30);
        EXPECT_FALSE(hive.keyExists(kSessionsKey));
        EXPECT_EQ(unsavedText(), "2 calls not saved yet");
        EXPECT_TRUE(dialogs.shown().isEmpty()); // only busy: nothing to tell
        EXPECT_EQ(window.meter().totalSeconds(), 90);
    }
    tick();
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList({"0", "1"}));
    EXPECT_EQ(hive.value(RecordKey(QStringLiteral("0")), QStringLiteral("CallTime")),
              RegValue::ofDword(60));
    EXPECT_EQ(hive.value(RecordKey(QStringLiteral("1")), QStringLiteral("CallTime")),
              RegValue::ofDword(30));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(90));
    EXPECT_EQ(unsavedText(), QString());
}

} // namespace
} // namespace dvx
