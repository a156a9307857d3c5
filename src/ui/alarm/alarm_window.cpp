#include "ui/alarm/alarm_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace dvx {

namespace {

const QString kTitle = QStringLiteral("Dorvantix");
constexpr int kBlinkMilliseconds = 500;

QWidget* BlackPanel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setGeometry(geometry);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* BoldLabel(QWidget* parent, const QRect& geometry, const QColor& colour, int pixelSize) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

TfrmAlarm::TfrmAlarm(SoundPlayer& sound, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      sound_(sound) {
    setObjectName(QStringLiteral("frmAlarm"));
    setWindowTitle(kTitle);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(325, 123);

    Timer = new QTimer(this);
    Timer->setTimerType(Qt::PreciseTimer);
    Timer->setInterval(kBlinkMilliseconds);
    connect(Timer, &QTimer::timeout, this, &TfrmAlarm::TimerTimer);
}

// The widgets are made when the window is first shown: the button's icon alone brings in the icon
// theme and the image plugins, wasted in a program that may never raise an alarm.
void TfrmAlarm::setVisible(bool visible) {
    if (visible)
        buildLayout();
    const bool wasShowing = isVisible();
    QDialog::setVisible(visible);
    if (isVisible() != wasShowing)
        emit showingChanged(isVisible());
}

void TfrmAlarm::buildLayout() {
    if (btnOK != nullptr)
        return;
    auto* frame = new QFrame(this);
    frame->setGeometry(0, 0, 325, 123);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);

    QWidget* messageArea = BlackPanel(frame, QRect(2, 2, 321, 84));
    Label1 = BoldLabel(messageArea, QRect(6, 6, 275, 21), Qt::white, 16);
    Label1->setText(QStringLiteral("Dorvantix Alarm"));
    LblMessage = BoldLabel(messageArea, QRect(8, 32, 307, 51), Qt::red, 11);
    LblMessage->setAlignment(Qt::AlignCenter);
    LblMessage->setWordWrap(true);

    QWidget* buttonStrip = BlackPanel(frame, QRect(2, 86, 321, 35));
    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                            QStringLiteral("Dismiss Alarm"), buttonStrip);
    btnOK->setGeometry(214, 6, 101, 25);
    btnOK->setAccessibleName(QStringLiteral("Dismiss Alarm"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfrmAlarm::btnOKClick);
}

void TfrmAlarm::ShowAlarm(const QString& message) {
    setWindowTitle(kTitle);
    buildLayout();
    LblMessage->setText(message);
    placeOnScreen();
    show();
    raise();
    activateWindow();
    btnOK->setFocus();
}

// Centred on the screen the first time, and at that same place every time after.
void TfrmAlarm::placeOnScreen() {
    if (placed_)
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), size());
        centred.moveCenter(screen->geometry().center());
        move(centred.topLeft());
    }
    placed_ = true;
}

void TfrmAlarm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmAlarm::FormShow() {
    if (!Timer->isActive())
        Timer->start();
}

void TfrmAlarm::TimerTimer() {
    if (Label1 == nullptr)
        return; // never shown: nothing blinks, nothing sounds
    Label1->setHidden(!Label1->isHidden());
    sound_.play();
}

void TfrmAlarm::btnOKClick() {
    Timer->stop();
    close();
}

// However the window goes away (Escape, the window manager), it stops blinking and sounding.
void TfrmAlarm::reject() {
    Timer->stop();
    QDialog::reject();
}

void TfrmAlarm::hideEvent(QHideEvent* event) {
    Timer->stop();
    QDialog::hideEvent(event);
}

} // namespace dvx
