// Exit ends the message loop as it stands: no window is closed on the way, so the floating
// display is still recorded as it was, and a call in progress is dropped, not recorded.
#include "support/main_window_test.h"

#include "store/settings/store_keys.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace dvx {
namespace {

class ExitTest : public ConfiguredWindowTest {
protected:
    // Chooses Exit in the tray menu and runs the loop until it ends; its exit code.
    int exitFromTheTrayMenu() {
        QTimer::singleShot(0, &window, [this] { window.mnuExit->trigger(); });
        QTimer safetyNet; // ends the loop should Exit not end it, and goes with the test
        safetyNet.setSingleShot(true);
        QObject::connect(&safetyNet, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        safetyNet.start(5000);
        return QApplication::exec();
    }

    // The totals and every session record as the store holds them, one "key|name=value" a line.
    QStringList storedLog() const {
        QStringList lines;
        const auto add = [this, &lines](const QString& key, const QString& name) {
            const std::optional<RegValue> value = hive.value(key, name);
            lines.append(key + QLatin1Char('|') + name + QLatin1Char('=') +
                         (!value             ? QStringLiteral("(none)")
                          : value->isDword() ? QString::number(value->dword)
                                             : value->text));
        };
        for (const char* name : {"TotalCallTime", "TotalCallCharges", "LastResetDate"})
            add(kProductKey, QString::fromLatin1(name));
        for (const QString& record : hive.subKeys(kSessionsKey)) {
            for (const QString& name : hive.valueNames(RecordKey(record)))
                add(RecordKey(record), name);
        }
        return lines;
    }
};

TEST_F(ExitTest, ExitEndsTheLoopAndLeavesTheFloatingDisplayAsItWas) {
    window.SetFloatingDisplay(true);
    EXPECT_EQ(exitFromTheTrayMenu(), 0);
    EXPECT_TRUE(window.settings().FloatingShown);
    EXPECT_TRUE(window.mnuFloatingDisplay->isChecked());
}

TEST_F(ExitTest, ExitDuringACallLeavesTheStoredLogAndTotalsAsTheyWere) {
    automaticSession(90); // one call already in the log
    storeTotals(725, Currency::fromRaw(12345));
    startAutomaticSession();
    tickAfter(30);
    const QStringList before = storedLog();
    ASSERT_EQ(hive.subKeys(kSessionsKey), QStringList({"0"}));
    EXPECT_EQ(exitFromTheTrayMenu(), 0);
    window.FormDestroy(); // what the program does as it ends
    EXPECT_EQ(storedLog(), before);
}

} // namespace
} // namespace dvx
