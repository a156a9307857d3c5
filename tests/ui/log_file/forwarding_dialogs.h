#pragma once

#include "platform/dialogs/dialogs.h"

namespace dvx::test {

// Passes every box on to other dialogs (the scripted fakes); a test overrides the few it wants
// to watch or to make act as the real dialog would.
class ForwardingDialogs : public Dialogs {
public:
    explicit ForwardingDialogs(Dialogs& inner) : inner_(inner) {}

    void applicationError(const QString& text) override { inner_.applicationError(text); }
    void error(const QString& text) override { inner_.error(text); }
    void information(const QString& text) override { inner_.information(text); }
    bool confirm(const QString& text) override { return inner_.confirm(text); }
    void notice(const QString& text) override { inner_.notice(text); }
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& proposed) override {
        return inner_.inputBox(caption, prompt, proposed);
    }
    std::optional<QString> saveFileName(const FileDialogOptions& options) override {
        return inner_.saveFileName(options);
    }
    std::optional<QString> openFileName(const FileDialogOptions& options) override {
        return inner_.openFileName(options);
    }
    bool choosePrinter(QPrinter& printer) override { return inner_.choosePrinter(printer); }
    void showModal(QDialog& dialog) override { inner_.showModal(dialog); }

private:
    Dialogs& inner_;
};

} // namespace dvx::test
