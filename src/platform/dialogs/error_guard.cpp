#include "platform/dialogs/error_guard.h"

namespace dvx {

QString ApplicationErrorText(const QString& text) {
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

} // namespace dvx
