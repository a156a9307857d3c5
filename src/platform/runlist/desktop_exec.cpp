#include "platform/runlist/desktop_exec.h"

namespace dvx {

namespace {

// Characters that make the desktop split or expand an unquoted argument.
bool needsQuotes(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (QChar c : path) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

// Inside quotes, the double quote, backquote, dollar sign and backslash are escaped with a
// backslash.
QString quoted(const QString& path) {
    QString text = QStringLiteral("\"");
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            text += QLatin1Char('\\');
        text += c;
    }
    return text + QLatin1Char('"');
}

// The value is a string of the key file format: a backslash is written twice, and the line
// ends are escaped; a literal percent sign is doubled for the field codes.
QString asKeyFileString(const QString& value) {
    QString text;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            text += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            text += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            text += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            text += QStringLiteral("\\r");
        else if (c == QLatin1Char('%'))
            text += QStringLiteral("%%");
        else
            text += c;
    }
    return text;
}

} // namespace

QString DesktopExecValue(const QString& path) {
    return asKeyFileString(needsQuotes(path) ? quoted(path) : path);
}

} // namespace dvx
