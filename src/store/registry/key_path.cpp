#include "store/registry/key_path.h"

#include <QList>

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

bool IsValidKeyName(QStringView name) {
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
    const qsizetype separator = text.lastIndexOf(kSeparator);
    if (separator < 0) {
        return {};
    }
    const QString parentText = text.left(separator);
    return {parentText, FoldName(parentText)};
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
    // One pass over the names, without splitting the path.
    for (qsizetype start = begin; start <= end;) {
        qsizetype stop = path.indexOf(kSeparator, start);
        stop = stop < 0 || stop > end ? end : stop;
        if (!IsValidKeyName(QStringView(path).mid(start, stop - start))) {
            return std::nullopt;
        }
        start = stop + 1;
    }
    result.text = begin == 0 && end == path.size() ? path : path.mid(begin, end - begin);
    result.folded = FoldName(result.text);
    return result;
}

} // namespace dvx
