#pragma once

#include <QString>
#include <optional>

class QDialog;
class QPrinter;

namespace dvx {

// What a file dialog offers: where it opens, which files it lists ("Dorvantix Log (*.dvx)") and
// the extension added to a name typed without one.
struct FileDialogOptions {
    QString folder;
    QString filter;
    QString defaultSuffix;
};

// Every box and dialog the program shows, so that tests answer them without a display.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The general error box: caption "Dorvantix", error symbol, one OK button.
    virtual void applicationError(const QString& text) = 0;
    // A command's own boxes, titled by their kind: "Error", "Information" (OK) and "Confirm"
    // ("&Yes", "&No"; true for Yes).
    virtual void error(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual bool confirm(const QString& text) = 0;
    // A box that says something the user should know without stopping anything: it opens
    // without waiting for OK (caption "Dorvantix", warning symbol, one OK button).
    virtual void notice(const QString& text) = 0;
    // A one-line input box holding at most 255 characters, starting with `proposed` selected.
    // Nothing when it is cancelled or closed.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                            const QString& proposed) = 0;
    // The save dialog asks before it replaces a file; the open dialog takes only existing files.
    virtual std::optional<QString> saveFileName(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> openFileName(const FileDialogOptions& options) = 0;
    // The print dialog, in which the user chooses the printer; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // Runs a window of the program modally (the about box) until it closes.
    virtual void showModal(QDialog& dialog) = 0;
};

} // namespace dvx
