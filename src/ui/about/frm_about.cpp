#include "ui/about/frm_about.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace dvx {

namespace {

constexpr int kWidth = 309;
constexpr int kHeight = 175;

QLabel* titleBand(QWidget* parent) {
    auto* band = new QLabel(parent);
    band->setObjectName(QStringLiteral("Label11"));
    band->setGeometry(0, 0, kWidth, 21);
    band->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(palette);
    QFont font = band->font();
    font.setPixelSize(13);
    font.setBold(true);
    band->setFont(font);
    return band;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kWidth, kHeight);
    Label11 = titleBand(this);
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(2, 34, 32, 32);
    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                            this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(QStringLiteral("OK"));
    btnOK->setGeometry(117, 136, 75, 25);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

// Centred on the screen, not over the window that opened it.
void TfrmAbout::showEvent(QShowEvent* event) {
    if (QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace dvx
