#include "print/pageprinter/progress_dialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace dvx {

namespace {

constexpr int kClientWidth = 293;
constexpr int kClientHeight = 133;
constexpr int kClientHeightWithoutCancel = 98;

QLabel* CentredLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

} // namespace

TPPPrnPrgDlg::TPPPrnPrgDlg(bool showCancel, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("PPPrnPrgDlg"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 277, 57);

    lblStatus = CentredLabel(this, "lblStatus", QRect(20, 20, 249, 13));
    lblPageNumber = CentredLabel(this, "lblPageNumber", QRect(20, 40, 253, 13));

    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setAccessibleName(QStringLiteral("Pages Sent"));
    ProgBar->setGeometry(8, 76, 277, 13);
    ProgBar->setTextVisible(false);
    ProgBar->setRange(0, 1);
    ProgBar->setValue(0);

    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAccessibleName(QStringLiteral("Cancel"));
    btnCancel->setGeometry(109, 100, 75, 25);
    btnCancel->setDefault(true);
    connect(btnCancel, &QPushButton::clicked, this, &TPPPrnPrgDlg::btnCancelClick);
    btnCancel->setVisible(showCancel);
    btnCancel->setEnabled(showCancel);

    setFixedSize(kClientWidth, showCancel ? kClientHeight : kClientHeightWithoutCancel);
}

void TPPPrnPrgDlg::showPage(const QString& caption, const QString& status, const QString& pageText,
                            int step, int steps) {
    setWindowTitle(caption);
    lblStatus->setText(status);
    ProgBar->setMaximum(steps);
    ProgBar->setValue(step);
    lblPageNumber->setText(pageText);
    repaint();
}

void TPPPrnPrgDlg::showCentred() {
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

void TPPPrnPrgDlg::btnCancelClick() {
    emit cancelClicked();
}

void TPPPrnPrgDlg::reject() {
    if (btnCancel->isEnabled()) {
        btnCancel->click();
    }
}

void TPPPrnPrgDlg::closeEvent(QCloseEvent* event) {
    reject();
    event->ignore();
}

} // namespace dvx
