#include "store/registry/regedit_text.h"

namespace dvx {

QString QuoteRegeditString(const QString& text) {
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(QLatin1Char('"'));
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            quoted.append(QStringLiteral("\\\\"));
            break;
        case u'"':
            quoted.append(QStringLiteral("\\\""));
            break;
        case u'\n':
            quoted.append(QStringLiteral("\\n"));
            break;
        case u'\r':
            quoted.append(QStringLiteral("\\r"));
            break;
        default:
            quoted.append(c);
        }
    }
    quoted.append(QLatin1Char('"'));
    return quoted;
}

QString RegeditSection(const QString& path) {
    QString section = QStringLiteral("[") + kRegeditRoot;
    if (!path.isEmpty()) {
        section += QLatin1Char('\\') + path;
    }
    return section + QLatin1Char(']');
}

QString RegeditValueLine(const NamedRegValue& named) {
    const QString name =
        named.name.isEmpty() ? QStringLiteral("@") : QuoteRegeditString(named.name);
    switch (named.value.type) {
    case RegValue::Type::dword:
        return name + QStringLiteral("=dword:") +
               QStringLiteral("%1").arg(static_cast<std::uint32_t>(named.value.dword), 8, 16,
                                        QLatin1Char('0'));
    case RegValue::Type::string:
        return name + QLatin1Char('=') + QuoteRegeditString(named.value.text);
    case RegValue::Type::other:
        break;
    }
    return QStringLiteral("; ") + name + QStringLiteral(" has a type that cannot be exported");
}

bool ExportRegedit(Hive& hive, const QString& key, const RegeditSink& write) {
    bool started = false;
    QString text;
    return hive.visitTree(key, [&](const QString& path, const QList<NamedRegValue>& values) {
        text.clear();
        if (!started) {
            text = QString(kRegeditHeader) + QLatin1Char('\n');
            started = true;
        }
        text += QLatin1Char('\n') + RegeditSection(path) + QLatin1Char('\n');
        for (const NamedRegValue& value : values) {
            text += RegeditValueLine(value) + QLatin1Char('\n');
        }
        write(text);
    });
}

bool ExportRegedit(Hive& hive, const QString& key, QString& text) {
    QString collected;
    if (!ExportRegedit(hive, key, [&](const QString& part) { collected += part; })) {
        return false;
    }
    text = std::move(collected);
    return true;
}

} // namespace dvx
