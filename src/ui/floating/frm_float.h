#pragma once

#include "metering/meter/call_display.h"

#include <QWidget>

class QLabel;

namespace dvx {

// The floating display: a small tool window above all others, out of the task bar, with a
// caption of its own over two lines in red on black, the call's time and its charge. It has no
// controls; it keeps the call's lines, shown or hidden, and makes its widgets only when it is first
// shown.
class TfrmFloat : public QWidget, public CallDisplay {
    Q_OBJECT

public:
    explicit TfrmFloat(QWidget* owner);

    // "Call time 1 minutes, 1 seconds." over "Cost £0.05".
    void showCall(std::int32_t seconds, const QString& costText) override;
    void showNotConnected() override;
    // The lines it shows, or would show if it were shown.
    const QString& timeText() const { return timeText_; }
    const QString& costText() const { return costText_; }

    void setVisible(bool visible) override;

    // Made when the display is first shown; null before.
    QLabel* lblCaption = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblCost = nullptr;

signals:
    // The user closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void makeLines();
    void showLines();

    QString timeText_;
    QString costText_;
};

} // namespace dvx
