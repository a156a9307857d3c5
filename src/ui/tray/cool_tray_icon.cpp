#include "ui/tray/cool_tray_icon.h"

#include "ui/tray/status_notifier_status.h"
#include "ui/tray/tray_host.h"
#include "ui/tray/tray_tip.h"

#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace dvx {

// The host says when a tray comes or goes; the component follows it then, never by looking
// again and again.
TCoolTrayIcon::TCoolTrayIcon(QWidget* mainWindow, TrayHost& host)
    : QObject(mainWindow), mainWindow_(mainWindow), host_(host) {
    if (mainWindow_)
        mainWindow_->installEventFilter(this);
    host_.onChange([self = QPointer<TCoolTrayIcon>(this)] {
        if (self)
            self->followTrayHost();
    });
    QTimer::singleShot(kTrayGraceMs, this, &TCoolTrayIcon::checkTrayAtStart);
    followTrayHost();
    AddIcon();
}

// Qt settles for good which kind of tray an icon goes on when it makes its first one, so the
// icon is made only once a tray is there to hold it.
void TCoolTrayIcon::makeTrayIcon() {
    host_.settleKind();
    tray_ = new QSystemTrayIcon(this);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        // An XEmbed tray reports a single click before each double click: only the double
        // click counts there.
        if (r == QSystemTrayIcon::DoubleClick ||
            (r == QSystemTrayIcon::Trigger && host_.statusNotifier()))
            emit OnDblClick();
    });
    tray_->setContextMenu(menu_);
    if (host_.statusNotifier()) {
        status_ = new StatusNotifierStatus(this);
        status_->setNeedsAttention(needsAttention_);
    }
    UpdateIcon();
}

TCoolTrayIcon::~TCoolTrayIcon() {
    RemoveIcon();
}

void TCoolTrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    UpdateIcon();
}

void TCoolTrayIcon::setHint(const QString& hint) {
    hint_ = hint;
    UpdateIcon();
}

QString TCoolTrayIcon::tip() const {
    return TrayTip(hint_, showHint_);
}

void TCoolTrayIcon::setShowHint(bool show) {
    showHint_ = show;
    UpdateIcon();
}

void TCoolTrayIcon::setPopupMenu(QMenu* menu) {
    menu_ = menu;
    if (tray_ != nullptr)
        tray_->setContextMenu(menu);
}

void TCoolTrayIcon::setNeedsAttention(bool needsAttention) {
    needsAttention_ = needsAttention;
    if (status_ != nullptr)
        status_->setNeedsAttention(needsAttention);
}

QString TCoolTrayIcon::statusNotifierStatus() const {
    return status_ != nullptr ? status_->status() : QString();
}

void TCoolTrayIcon::AddIcon() {
    iconVisible_ = true;
    UpdateIcon();
}

void TCoolTrayIcon::RemoveIcon() {
    iconVisible_ = false;
    UpdateIcon();
}

// The tray takes no icon without a picture: it goes in as soon as the picture is set.
void TCoolTrayIcon::UpdateIcon() {
    if (tray_ == nullptr)
        return;
    tray_->setIcon(icon_);
    tray_->setToolTip(tip());
    tray_->setVisible(iconVisible_ && !icon_.isNull());
    followStatusNotifierItem();
}

// Qt puts its StatusNotifier item on the bus each time the icon is shown.
void TCoolTrayIcon::followStatusNotifierItem() {
    if (status_ != nullptr && tray_->isVisible())
        status_->follow();
}

void TCoolTrayIcon::ShowFromTray() {
    if (!mainWindow_)
        return;
    mainWindow_->setWindowState(mainWindow_->windowState() & ~Qt::WindowMinimized);
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
}

void TCoolTrayIcon::HideToTray() {
    if (!mainWindow_)
        return;
    followTrayHost();
    if (trayPresent_)
        mainWindow_->hide();
    else
        mainWindow_->showMinimized();
}

// Without a tray a minimised window stays minimised, where the taskbar still shows it.
bool TCoolTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mainWindow_ && event->type() == QEvent::WindowStateChange &&
        mainWindow_->isMinimized() && MinimizeToTray) {
        followTrayHost();
        if (trayPresent_) {
            // Hidden once the state change is through, so the window manager sees it complete.
            QTimer::singleShot(0, this, [this] {
                HideToTray();
                if (!iconVisible_)
                    AddIcon();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

// The icon is made when a tray first appears. When the tray host restarts, the new tray knows
// nothing of the icon: it is put in again.
void TCoolTrayIcon::followTrayHost() {
    const bool trayIsThere = host_.present();
    if (trayIsThere && tray_ == nullptr)
        makeTrayIcon();
    else if (trayIsThere && !trayPresent_ && tray_ != nullptr && tray_->isVisible()) {
        tray_->hide();
        tray_->show();
        followStatusNotifierItem();
    }
    if (!trayIsThere && trayPresent_)
        QTimer::singleShot(kTrayGraceMs, this, &TCoolTrayIcon::checkTrayGone);
    trayPresent_ = trayIsThere;
}

void TCoolTrayIcon::checkTrayAtStart() {
    followTrayHost();
    if (!trayPresent_)
        emit trayMissing();
}

// A tray that went away and did not come back within the grace time (a host restarts faster)
// leaves a window hidden in it where no one could find it: it comes back minimised.
void TCoolTrayIcon::checkTrayGone() {
    followTrayHost();
    if (!trayPresent_ && mainWindow_ && mainWindow_->isHidden())
        mainWindow_->showMinimized();
}

} // namespace dvx
