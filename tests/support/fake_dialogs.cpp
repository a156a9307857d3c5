#include "support/fake_dialogs.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace dvx {

namespace {

const char* kindName(BoxKind kind) {
    switch (kind) {
    case BoxKind::applicationError:
        return "general error box";
    case BoxKind::error:
        return "error box";
    case BoxKind::information:
        return "information box";
    case BoxKind::confirm:
        return "confirmation box";
    case BoxKind::input:
        return "input box";
    case BoxKind::saveFile:
        return "save dialog";
    case BoxKind::openFile:
        return "open dialog";
    case BoxKind::printer:
        return "print dialog";
    case BoxKind::modal:
        return "modal window";
    case BoxKind::notice:
        return "notice";
    }
    return "box";
}

} // namespace

FakeDialogs::~FakeDialogs() {
    for (const Scripted& scripted : script_)
        ADD_FAILURE() << "a " << kindName(scripted.kind) << " was expected but never shown";
}

FakeDialogs& FakeDialogs::expect(BoxKind kind, QVariant answer) {
    script_.append({kind, std::move(answer), {}});
    return *this;
}

FakeDialogs& FakeDialogs::whileOpen(std::function<void()> action) {
    if (!script_.isEmpty())
        script_.last().whileOpen = std::move(action);
    return *this;
}

QStringList FakeDialogs::texts() const {
    QStringList texts;
    for (const Shown& box : shown_)
        texts.append(box.text);
    return texts;
}

void FakeDialogs::clear() {
    script_.clear();
    shown_.clear();
}

std::optional<QVariant> FakeDialogs::open(BoxKind kind, const QString& caption, const QString& text,
                                          const QString& detail) {
    shown_.append({kind, caption, text, detail});
    if (script_.isEmpty() || script_.constFirst().kind != kind) {
        ADD_FAILURE() << "unexpected " << kindName(kind)
                      << (caption.isEmpty() ? "" : " \"" + caption.toStdString() + '"') << ": "
                      << text.toStdString();
        return std::nullopt;
    }
    Scripted scripted = script_.takeFirst();
    if (scripted.whileOpen)
        scripted.whileOpen();
    return scripted.answer;
}

std::optional<QString> FakeDialogs::textAnswer(BoxKind kind, const QString& caption,
                                               const QString& text, const QString& detail) {
    const std::optional<QVariant> answer = open(kind, caption, text, detail);
    if (!answer || !answer->isValid())
        return std::nullopt;
    return answer->toString();
}

void FakeDialogs::applicationError(const QString& text) {
    open(BoxKind::applicationError, QString(), text);
}

void FakeDialogs::error(const QString& text) {
    open(BoxKind::error, QString(), text);
}

void FakeDialogs::information(const QString& text) {
    open(BoxKind::information, QString(), text);
}

void FakeDialogs::notice(const QString& text) {
    shown_.append({BoxKind::notice, {}, text, {}});
}

bool FakeDialogs::confirm(const QString& text) {
    const std::optional<QVariant> answer = open(BoxKind::confirm, QString(), text);
    return answer && answer->toBool();
}

std::optional<QString> FakeDialogs::inputBox(const QString& caption, const QString& prompt,
                                             const QString& proposed) {
    return textAnswer(BoxKind::input, caption, prompt, proposed);
}

std::optional<QString> FakeDialogs::saveFileName(const FileDialogOptions& options) {
    return textAnswer(BoxKind::saveFile, QString(), options.filter, options.folder);
}

std::optional<QString> FakeDialogs::openFileName(const FileDialogOptions& options) {
    return textAnswer(BoxKind::openFile, QString(), options.filter, options.folder);
}

bool FakeDialogs::choosePrinter(QPrinter&) {
    const std::optional<QVariant> answer = open(BoxKind::printer, QString(), QString());
    return answer && answer->toBool();
}

void FakeDialogs::showModal(QDialog& dialog) {
    open(BoxKind::modal, dialog.windowTitle(), dialog.objectName());
}

} // namespace dvx
