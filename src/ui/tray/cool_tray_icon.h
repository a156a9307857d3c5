#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>

class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace dvx {

// The program's icon in the desktop's notification area. It keeps the tip in step with the
// call, opens the tray menu on the right button, reports a double click, and hides and shows the
// main window together with its taskbar entry. The icon is there from creation to destruction;
// when the desktop's tray comes back after its host restarted, the icon is put back.
class TCoolTrayIcon : public QObject {
    Q_OBJECT

public:
    // Watches `mainWindow`: minimising it hides it into the tray.
    explicit TCoolTrayIcon(QWidget* mainWindow);
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

    // Brings back the main window with its taskbar entry, or sends both into the tray.
    void ShowFromTray();
    void HideToTray();

signals:
    // The icon was double-clicked with the left button.
    void OnDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateIcon();
    void followTrayHost();

    QPointer<QWidget> mainWindow_;
    QSystemTrayIcon* tray_ = nullptr;
    QTimer* trayWatch_ = nullptr;
    QPointer<QMenu> menu_;
    QIcon icon_;
    QString hint_;
    bool showHint_ = true;
    bool iconVisible_ = false;
    bool trayWasThere_ = false;
};

} // namespace dvx
