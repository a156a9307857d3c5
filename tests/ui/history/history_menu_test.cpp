// File > History... in the main window.
#include "support/main_window_test.h"
#include "ui/history/frm_history.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>

namespace dvx {
namespace {

QMenu* FileMenu(TfrmMain& window) {
    for (QAction* item : window.menuBar()->actions()) {
        if (item->text() == QStringLiteral("&File"))
            return item->menu();
    }
    return nullptr;
}

TEST_F(ConfiguredWindowTest, FileHistoryStandsAboveExitAndOpensOneHistoryWindow) {
    QMenu* file = FileMenu(window);
    ASSERT_NE(file, nullptr);
    const QList<QAction*> items = file->actions();
    ASSERT_GE(items.size(), 2);
    QAction* history = items[items.size() - 2];
    EXPECT_EQ(history->text(), QStringLiteral("&History..."));
    EXPECT_EQ(items.last()->text(), QStringLiteral("&Exit"));
    // The tray's menu stays as it is.
    for (QAction* item : window.PopupMenu->actions())
        EXPECT_NE(item->text(), QStringLiteral("&History..."));

    history->trigger();
    auto* opened = window.findChild<TfrmHistory*>();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->windowTitle(), QStringLiteral("Dorvantix - History"));
    QSignalSpy shown(opened, &TfrmHistory::historyShown);
    ASSERT_TRUE(shown.wait(10000));
    history->trigger();
    EXPECT_EQ(window.findChildren<TfrmHistory*>().size(), 1);
    ASSERT_TRUE(shown.wait(10000));
    // Closed, it goes.
    const QPointer<TfrmHistory> closed = opened;
    opened->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

} // namespace
} // namespace dvx
