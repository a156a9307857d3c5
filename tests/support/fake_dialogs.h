#pragma once

#include "platform/dialogs/dialogs.h"

#include <QList>
#include <QVariant>
#include <functional>

namespace dvx {

enum class BoxKind {
    applicationError,
    error,
    information,
    confirm,
    input,
    saveFile,
    openFile,
    printer,
    modal,
    notice
};

// Dialogs that never open anything. A test scripts each box it expects, in order, with the answer
// it gets; a box that is not scripted, or of another kind, fails the test and is answered No or
// Cancel. Every box shown is kept for the test to read.
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        BoxKind kind;
        // The caption the program gave (an input box's, a modal window's title); a box whose
        // caption comes from its kind has none here: the real boxes' tests check those.
        QString caption;
        QString text;
        QString detail; // the proposed text of an input box, the folder of a file dialog
    };

    ~FakeDialogs() override;

    // Scripts the next box. `answer` is the Yes of a question, the text of an input or file box
    // (none for Cancel), the acceptance of the print dialog; OK boxes take no answer.
    FakeDialogs& expect(BoxKind kind, QVariant answer = {});
    // Runs `action` while the box scripted last is open, as the program's timers would.
    FakeDialogs& whileOpen(std::function<void()> action);

    const QList<Shown>& shown() const { return shown_; }
    // The texts of the boxes shown, in order.
    QStringList texts() const;
    qsizetype pending() const { return script_.size(); }
    void clear();

    void applicationError(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    // A notice needs no answer and waits for nobody: it is kept, never scripted.
    void notice(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& proposed) override;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override;
    std::optional<QString> openFileName(const FileDialogOptions& options) override;
    bool choosePrinter(QPrinter& printer) override;
    void showModal(QDialog& dialog) override;

private:
    struct Scripted {
        BoxKind kind;
        QVariant answer;
        std::function<void()> whileOpen;
    };

    // Records the box and returns its scripted answer, or nothing when it was not expected.
    std::optional<QVariant> open(BoxKind kind, const QString& caption, const QString& text,
                                 const QString& detail = {});
    std::optional<QString> textAnswer(BoxKind kind, const QString& caption, const QString& text,
                                      const QString& detail);

    QList<Scripted> script_;
    QList<Shown> shown_;
};

} // namespace dvx
