#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace dvx {

// The small window shown while pages are sent to the printer: a status line, the page being
// sent, a progress bar and, when cancelling is allowed, a Cancel button.
class TPPPrnPrgDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPPPrnPrgDlg(bool showCancel, QWidget* parent = nullptr);

    // Shows the page about to be sent and repaints at once; step counts from 1 up to steps.
    void showPage(const QString& caption, const QString& status, const QString& pageText, int step,
                  int steps);
    // Puts the window at the centre of the screen and shows it without blocking.
    void showCentred();

    QFrame* Bevel1;
    QLabel* lblStatus;
    QLabel* lblPageNumber;
    QProgressBar* ProgBar;
    QPushButton* btnCancel;

signals:
    void cancelClicked();

protected:
    // Escape and closing the window count as Cancel when it is offered; the window stays open
    // until sending ends.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void btnCancelClick();
};

} // namespace dvx
