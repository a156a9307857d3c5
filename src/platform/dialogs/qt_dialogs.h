#pragma once

#include "platform/dialogs/dialogs.h"

namespace dvx {

// The boxes and dialogs on the screen, over the window that is active at the time.
class QtDialogs final : public Dialogs {
public:
    void applicationError(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    void notice(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& proposed) override;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override;
    std::optional<QString> openFileName(const FileDialogOptions& options) override;
    bool choosePrinter(QPrinter& printer) override;
    void showModal(QDialog& dialog) override;
};

} // namespace dvx
