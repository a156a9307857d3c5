// The reset: asked first, then the totals, the reset date and every record start again.
#include "support/main_window_test.h"

#include "store/settings/store_keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace dvx {
namespace {

const QString kQuestion = QStringLiteral("Reset current log (this is irreversable)?");

class ResetTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        hive.seed(test::ProductSeed(QStringLiteral("\"LastResetDate\"=\"01/03/2026\"\n")));
        run([this] { window.LoadSettings(); });
    }
    void reset(bool answer) {
        dialogs.expect(BoxKind::confirm, answer);
        window.BtnResetTotals->click();
    }
};

TEST_F(ResetTest, ThreeSessionsThenAResetThenOneMoreStartsAgainAtZero) {
    for (int i = 0; i < 3; ++i)
        automaticSession(60);
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList({"0", "1", "2"}));
    clock.advanceSeconds(3600);
    reset(true);
    EXPECT_EQ(dialogs.texts(), QStringList{kQuestion});
    EXPECT_TRUE(hive.keyExists(kSessionsKey));
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList());
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(0));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallCharges")),
              RegValue::ofString(QStringLiteral("£0.00")));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("LastResetDate")), RegValue::ofString(now()));
    EXPECT_EQ(window.meter().lastResetDate(), now());
    EXPECT_EQ(window.lblLastResetDate->text(), "(Totals Since " + now() + ")");
    EXPECT_EQ(window.lblLogname->text(), "Current Log - From " + now());
    EXPECT_EQ(listedRows(), QStringList());
    EXPECT_EQ(window.edtTotalCallTime->text(), "0min, 00sec");
    EXPECT_EQ(window.edtTotalCost->text(), "£0.00");
    EXPECT_EQ(window.meter().totalSeconds(), 0);

    automaticSession(30);
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList{"0"});
    EXPECT_EQ(window.meter().totalSeconds(), 30);
}

TEST_F(ResetTest, AnsweringNoLeavesTheLogAsItWas) {
    automaticSession(60);
    reset(false);
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList{"0"});
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(60));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("LastResetDate")),
              RegValue::ofString(QStringLiteral("01/03/2026")));
    EXPECT_EQ(window.meter().totalSeconds(), 60);
    EXPECT_EQ(window.meter().lastResetDate(), "01/03/2026");
}

} // namespace
} // namespace dvx
