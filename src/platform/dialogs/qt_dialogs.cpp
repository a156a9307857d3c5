#include "platform/dialogs/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <memory>

namespace dvx {

namespace {

constexpr int kInputLimit = 255;

QWidget* activeWindow() {
    return QApplication::activeWindow();
}

// A box with an OK button, the given caption and symbol.
void okBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, activeWindow());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

QFileDialog* fileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(activeWindow(), QString(), options.folder, options.filter);
    dialog->setAcceptMode(mode);
    dialog->setDefaultSuffix(options.defaultSuffix);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    return dialog;
}

std::optional<QString> runFileDialog(const FileDialogOptions& options,
                                     QFileDialog::AcceptMode mode) {
    std::unique_ptr<QFileDialog> dialog(fileDialog(options, mode));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

} // namespace

void QtDialogs::applicationError(const QString& text) {
    okBox(QMessageBox::Critical, QStringLiteral("Dorvantix"), text);
}

void QtDialogs::error(const QString& text) {
    okBox(QMessageBox::Critical, QStringLiteral("Error"), text);
}

void QtDialogs::information(const QString& text) {
    okBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

void QtDialogs::notice(const QString& text) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Dorvantix"), text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

bool QtDialogs::confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                    activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtDialogs::inputBox(const QString& caption, const QString& prompt,
                                           const QString& proposed) {
    QInputDialog dialog(activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed.left(kInputLimit));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(kInputLimit);
        edit->selectAll();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::saveFileName(const FileDialogOptions& options) {
    return runFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::openFileName(const FileDialogOptions& options) {
    return runFileDialog(options, QFileDialog::AcceptOpen);
}

bool QtDialogs::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::showModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace dvx
