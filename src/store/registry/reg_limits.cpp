#include "store/registry/reg_limits.h"

namespace dvx {

qsizetype Utf8Size(QStringView text) {
    qsizetype size = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // A surrogate pair is four bytes: two for each half.
        size += u < 0x80 ? 1 : u < 0x800 || c.isSurrogate() ? 2 : 3;
    }
    return size;
}

QString ValueLimitProblem(const QString& name, const RegValue& value) {
    if (name.size() > kMaxNameLength) {
        return QStringLiteral("the value name \"%1\" has %2 characters; at most %3 are allowed")
            .arg(Excerpt(name))
            .arg(name.size())
            .arg(kMaxNameLength);
    }
    if (value.type == RegValue::Type::string && Utf8Size(value.text) > kMaxValueBytes) {
        return QStringLiteral("the value \"%1\" holds %2 bytes; at most 1 MB (%3 bytes) is "
                              "allowed")
            .arg(Excerpt(name))
            .arg(Utf8Size(value.text))
            .arg(kMaxValueBytes);
    }
    return {};
}

QString Excerpt(QStringView text) {
    constexpr qsizetype kShown = 40;
    return text.size() <= kShown ? text.toString()
                                 : text.left(kShown - 3).toString() + QStringLiteral("...");
}

} // namespace dvx
