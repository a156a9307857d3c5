#pragma once

#include "platform/sound/sound_player.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace dvx {

// The alarm window: a small borderless window above all others that shows an alarm's message
// in red, blinks its title and sounds the alarm every half second until it is dismissed.
// Created once, hidden, and reused for every alarm; its widgets are made when it is first shown.
class TfrmAlarm : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAlarm(SoundPlayer& sound, QWidget* parent = nullptr);

    // Raises an alarm: the title, the message, and the window shown (not modal).
    void ShowAlarm(const QString& message);
    bool isShowing() const { return isVisible(); }

    // Made when the window is first shown; null before.
    QLabel* Label1 = nullptr;
    QLabel* LblMessage = nullptr;
    QPushButton* btnOK = nullptr;
    QTimer* Timer;

    void setVisible(bool visible) override;

    void TimerTimer();
    void btnOKClick();

signals:
    // An alarm is up (the window shows) or dismissed (however the window went away).
    void showingChanged(bool showing);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    void FormShow();
    void buildLayout();
    void placeOnScreen();

    SoundPlayer& sound_;
    bool placed_ = false;
};

} // namespace dvx
