#include "store/registry/key_path.h"

#include "store/registry/reg_limits.h"

#include <QList>

namespace dvx {

namespace {

constexpr QChar kSeparator = QLatin1Char('\\');

// The path without one leading and one trailing separator.
QStringView Trimmed(QStringView path) {
    if (!path.isEmpty() && path.front() == kSeparator) {
        path = path.mid(1);
    }
    if (!path.isEmpty() && path.back() == kSeparator) {
        path.chop(1);
    }
    return path;
}

QString KeyNameProblem(QStringView name) {
    if (name.isEmpty()) {
        return QStringLiteral("it holds an empty key name (two \\ in a row)");
    }
    if (name.size() > kMaxNameLength) {
        return QStringLiteral("the key name \"%1\" has %2 characters; at most %3 are allowed")
            .arg(Excerpt(name))
            .arg(name.size())
            .arg(kMaxNameLength);
    }
    return QStringLiteral("the key name \"%1\" holds a control character").arg(Excerpt(name));
}

} // namespace

QString FoldName(const QString& name) {
    QString folded = name;
    QChar* out = folded.data();
    bool ascii = true;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (c >= u'a' && c <= u'z') {
            out[i] = QChar(c - (u'a' - u'A'));
        } else if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return folded;
    }
    // Outside ASCII: one code point at a time, so that no name changes its length.
    QString result;
    result.reserve(name.size());
    for (const char32_t codePoint : name.toUcs4()) {
        const char32_t upper = QChar::toUpper(codePoint);
        if (QChar::requiresSurrogates(upper)) {
            result.append(QChar(QChar::highSurrogate(upper)));
            result.append(QChar(QChar::lowSurrogate(upper)));
        } else {
            result.append(QChar(static_cast<char16_t>(upper)));
        }
    }
    return result;
}

bool IsValidKeyName(QStringView name) {
    if (name.isEmpty() || name.size() > kMaxNameLength) {
        return false;
    }
    for (const QChar c : name) {
        if (c == kSeparator || c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return false;
        }
    }
    return true;
}

QString KeyPathProblem(QStringView path) {
    const QStringView names = Trimmed(path);
    if (names.isEmpty()) {
        return {};
    }
    // One pass over the names, without splitting the path.
    int depth = 0;
    for (qsizetype start = 0; start <= names.size();) {
        if (++depth > kMaxKeyDepth) {
            return QStringLiteral("the key path is more than %1 levels deep").arg(kMaxKeyDepth);
        }
        qsizetype stop = names.indexOf(kSeparator, start);
        stop = stop < 0 ? names.size() : stop;
        const QStringView name = names.mid(start, stop - start);
        if (!IsValidKeyName(name)) {
            return KeyNameProblem(name);
        }
        start = stop + 1;
    }
    return {};
}

std::optional<KeyPath> KeyPath::parse(const QString& path) {
    if (!KeyPathProblem(path).isEmpty()) {
        return std::nullopt;
    }
    const QStringView names = Trimmed(path);
    KeyPath result;
    result.text = names.size() == path.size() ? path : names.toString();
    result.folded = FoldName(result.text);
    return result;
}

} // namespace dvx
