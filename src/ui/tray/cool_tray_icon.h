#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>

class QSystemTrayIcon;
class QWidget;

namespace dvx {

class StatusNotifierStatus;
class TrayHost;

// The program's icon in the desktop's notification area. It keeps the tip in step with the
// call, opens the tray menu on the right button, reports a double click, and hides and shows the
// main window together with its taskbar entry. The icon is there from creation to destruction;
// when the desktop's tray comes back after its host restarted, the icon is put back.
//
// On a StatusNotifier tray there is no double click: the primary click (the item's activation)
// is reported as the double click. Without any tray the main window is never hidden where no one
// could find it: hiding and minimising it then minimise it as any window, and a window hidden in
// a tray that goes away for good comes back minimised.
class TCoolTrayIcon : public QObject {
    Q_OBJECT

public:
    // Watches `mainWindow`: minimising it hides it into the tray. The icon goes on `host`, which
    // must outlive this component; it is made once the host says a tray is there.
    TCoolTrayIcon(QWidget* mainWindow, TrayHost& host);
    ~TCoolTrayIcon() override;

    void setIcon(const QIcon& icon);
    QIcon icon() const { return icon_; }
    // The stored hint keeps its full text; the tip shows its first 63 characters.
    void setHint(const QString& hint);
    QString hint() const { return hint_; }
    QString tip() const;
    void setShowHint(bool show);
    void setPopupMenu(QMenu* menu);
    QMenu* popupMenu() const { return menu_; }

    bool MinimizeToTray = true;

    void AddIcon();
    void RemoveIcon();
    bool iconVisible() const { return iconVisible_; }

    // Brings back the main window with its taskbar entry, or sends both into the tray (without
    // a tray, minimises the window instead).
    void ShowFromTray();
    void HideToTray();

    // While something waits for the user (an alarm is up), the icon asks for attention where
    // the tray lets it: a StatusNotifier item's status is then "NeedsAttention", else "Active".
    // An XEmbed tray has no such thing.
    void setNeedsAttention(bool needsAttention);
    bool needsAttention() const { return needsAttention_; }
    // The status of the StatusNotifier item; empty on an XEmbed tray and before the icon is made.
    QString statusNotifierStatus() const;

    // A tray host was there when last looked at.
    bool trayPresent() const { return trayPresent_; }
    // Looks at the tray host again: puts the icon back into a tray that came back.
    void followTrayHost();

    // How long a tray host may take to appear at start before the program goes on without one.
    static constexpr int kTrayGraceMs = 3000;

signals:
    // The icon was double-clicked with the left button, or activated on a StatusNotifier tray.
    void OnDblClick();
    // No tray host appeared within the grace time after start.
    void trayMissing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateIcon();
    void followStatusNotifierItem();
    void makeTrayIcon();
    void checkTrayAtStart();
    void checkTrayGone();

    QPointer<QWidget> mainWindow_;
    TrayHost& host_;
    QSystemTrayIcon* tray_ = nullptr;
    StatusNotifierStatus* status_ = nullptr; // only on a StatusNotifier tray
    QPointer<QMenu> menu_;
    QIcon icon_;
    QString hint_;
    bool showHint_ = true;
    bool iconVisible_ = false;
    bool trayPresent_ = false;
    bool needsAttention_ = false;
};

} // namespace dvx
