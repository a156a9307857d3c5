#pragma once

#include "metering/conversion_error.h"
#include "platform/dialogs/dialogs.h"

#include <exception>
#include <utility>

namespace dvx {

// The text of the general error box: the error's text, with a full stop appended when its last
// character comes after the full stop in the character table (a letter or a digit, say).
QString ApplicationErrorText(const QString& text);

// Runs one event handler. An error that it does not catch itself stops it where it was raised,
// is shown in the general error box, and goes no further, so the program carries on. An error
// that carries a detail shows it below its text, after an empty line.
template <typename Handler> void Guarded(Dialogs& dialogs, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const DetailedError& error) {
        dialogs.applicationError(ApplicationErrorText(error.text()) + QStringLiteral("\n\n") +
                                 error.detail());
    } catch (const Error& error) {
        dialogs.applicationError(ApplicationErrorText(error.text()));
    } catch (const std::exception& error) {
        dialogs.applicationError(ApplicationErrorText(QString::fromLocal8Bit(error.what())));
    }
}

} // namespace dvx
