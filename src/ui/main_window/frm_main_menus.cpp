// The menu bar and the tray icon's menu.
#include "ui/main_window/frm_main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace dvx {

namespace {

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption,
                  bool checkable = false) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(checkable);
    return item;
}

} // namespace

void TfrmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    mnuFloatingDisplay = menuItem(file, QStringLiteral("mnuFloatingDisplay"),
                                  QStringLiteral("Floating Display"), true);
    file->addSeparator();
    Exit1 = menuItem(file, QStringLiteral("Exit1"), QStringLiteral("&Exit"));
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    About1 = menuItem(help, QStringLiteral("About1"), QStringLiteral("&About..."));

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    mnuMonitor =
        menuItem(PopupMenu, QStringLiteral("mnuMonitor"), QStringLiteral("&Monitor"), true);
    mnuFloatingDisplayPopUp = menuItem(PopupMenu, QStringLiteral("mnuFloatingDisplayPopUp"),
                                       QStringLiteral("Floating Display"), true);
    PopupMenu->addSeparator();
    mnuShowStatistics = menuItem(PopupMenu, QStringLiteral("mnuShowStatistics"),
                                 QStringLiteral("Show Main Window"));
    PopupMenu->addSeparator();
    mnuExit = menuItem(PopupMenu, QStringLiteral("mnuExit"), QStringLiteral("&Exit"));
}

} // namespace dvx
