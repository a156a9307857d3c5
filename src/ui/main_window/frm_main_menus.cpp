// The menu bar and the tray icon's menu. A command that both menus offer is one action in both,
// so its check mark and its handler are the same wherever it is chosen.
#include "store/sessionlog/session_log_store.h"
#include "store/settings/period_start_day.h"
#include "store/settings/program_settings.h"
#include "ui/history/history_menu_item.h"
#include "ui/main_window/frm_main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace dvx {

namespace {

QAction* command(QObject* owner, const QString& name, const QString& caption,
                 bool checkable = false) {
    auto* item = new QAction(caption, owner);
    item->setObjectName(name);
    item->setCheckable(checkable);
    return item;
}

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption,
                  bool checkable = false) {
    QAction* item = command(menu, name, caption, checkable);
    menu->addAction(item);
    return item;
}

} // namespace

// The actions and the tray menu are there from the start; the menu bar comes with the controls.
void TfrmMain::buildActions() {
    mnuFloatingDisplay = command(this, QStringLiteral("mnuFloatingDisplay"),
                                 QStringLiteral("Floating Display"), true);
    mnuFloatingDisplayPopUp = mnuFloatingDisplay;
    Exit1 = command(this, QStringLiteral("Exit1"), QStringLiteral("&Exit"));
    mnuExit = Exit1;
    About1 = command(this, QStringLiteral("About1"), QStringLiteral("&About..."));

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    mnuMonitor =
        menuItem(PopupMenu, QStringLiteral("mnuMonitor"), QStringLiteral("&Monitor"), true);
    PopupMenu->addAction(mnuFloatingDisplayPopUp);
    PopupMenu->addSeparator();
    mnuShowStatistics = menuItem(PopupMenu, QStringLiteral("mnuShowStatistics"),
                                 QStringLiteral("Show Main Window"));
    PopupMenu->addSeparator();
    PopupMenu->addAction(mnuExit);
}

void TfrmMain::buildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(mnuFloatingDisplay);
    file->addSeparator();
    const RegionalSettings local = regional();
    file->addAction(HistoryMenuItem(*this, {.hiveFile = services_.sessionLog.file(),
                                            .clock = clock(),
                                            .dialogs = dialogs(),
                                            .regional = local,
                                            .keepStartDay = [this, local](int day) {
                                                services_.settingsStore.product(local).writeInteger(
                                                    kPeriodStartDayValue, day);
                                            }}));
    file->addAction(Exit1);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(About1);
}

} // namespace dvx
