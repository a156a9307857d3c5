#pragma once

#include <QWidget>

class QLabel;

namespace dvx {

// The floating display: a tool window above all others with two lines in red on black, the
// call's time and its charge. It has no controls; the session monitor writes the two labels,
// shown or hidden.
class TfrmFloat : public QWidget {
    Q_OBJECT

public:
    explicit TfrmFloat(QWidget* owner);

    QLabel* lblTime = nullptr;
    QLabel* lblCost = nullptr;

signals:
    // The user closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace dvx
