#include "store/registry/key_path.h"

namespace dvx {

namespace {

constexpr qsizetype kMaxKeyNameLength = 255;
constexpr QChar kSeparator = QLatin1Char('\\');

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

bool IsValidKeyName(const QString& name) {
    if (name.isEmpty() || name.size() > kMaxKeyNameLength) {
        return false;
    }
    for (const QChar c : name) {
        if (c == kSeparator || c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return false;
        }
    }
    return true;
}

KeyPath KeyPath::parent() const {
    KeyPath result;
    if (names.size() > 1) {
        result.names = names.mid(0, names.size() - 1);
        result.folded = folded.left(folded.lastIndexOf(kSeparator));
    }
    return result;
}

std::optional<KeyPath> KeyPath::parse(const QString& path) {
    qsizetype begin = 0;
    qsizetype end = path.size();
    if (begin < end && path[begin] == kSeparator) {
        ++begin;
    }
    if (end > begin && path[end - 1] == kSeparator) {
        --end;
    }
    KeyPath result;
    if (begin == end) {
        return result;
    }
    result.names = path.mid(begin, end - begin).split(kSeparator);
    for (const QString& name : result.names) {
        if (!IsValidKeyName(name)) {
            return std::nullopt;
        }
    }
    result.folded = FoldName(result.names.join(kSeparator));
    return result;
}

} // namespace dvx
