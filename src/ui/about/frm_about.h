#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace dvx {

// The about box: a black title band naming the program and its version, the program's icon and
// an OK button. It stays on top and lives only while it is shown.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* owner);

    QLabel* Label11 = nullptr;
    QLabel* Image = nullptr;
    QPushButton* btnOK = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace dvx
