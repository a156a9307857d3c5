#include "store/registry/regedit_parser.h"

#include "store/registry/key_path.h"
#include "store/registry/reg_limits.h"
#include "store/registry/regedit_text.h"

#include <optional>

namespace dvx {

namespace {

// Thrown inside the parser for the line being read; becomes a RegeditError.
struct LineError {
    QString message;
};

// Reads a quoted string starting at text[pos] == '"'; leaves pos after the closing quote.
QString ReadQuoted(QStringView text, qsizetype& pos) {
    QString result;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return result;
        }
        if (c.isNull()) {
            throw LineError{QStringLiteral("a quoted text holds a NUL character, which would cut "
                                           "it short")};
        }
        if (c != QLatin1Char('\\')) {
            result.append(c);
            continue;
        }
        if (++pos == text.size()) {
            break;
        }
        switch (text[pos].unicode()) {
        case u'\\':
            result.append(QLatin1Char('\\'));
            break;
        case u'"':
            result.append(QLatin1Char('"'));
            break;
        case u'n':
            result.append(QLatin1Char('\n'));
            break;
        case u'r':
            result.append(QLatin1Char('\r'));
            break;
        default:
            throw LineError{QStringLiteral("unknown escape \"\\%1\" in a quoted text (a backslash "
                                           "is written \\\\, a quote \\\")")
                                .arg(text[pos])};
        }
    }
    throw LineError{QStringLiteral("a quoted text has no closing quote")};
}

void SkipBlanks(QStringView text, qsizetype& pos) {
    while (pos < text.size() && (text[pos] == QLatin1Char(' ') || text[pos] == QLatin1Char('\t'))) {
        ++pos;
    }
}

void ExpectLineEnd(QStringView text, qsizetype pos) {
    SkipBlanks(text, pos);
    if (pos != text.size()) {
        throw LineError{
            QStringLiteral("unexpected text \"%1\" after the value").arg(Excerpt(text.mid(pos)))};
    }
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

std::int32_t ReadDword(QStringView text) {
    const QStringView digits = text.trimmed();
    std::uint32_t bits = 0;
    bool ok = !digits.isEmpty() && digits.size() <= 8;
    for (qsizetype i = 0; ok && i < digits.size(); ++i) {
        const int digit = HexDigit(digits[i]);
        ok = digit >= 0;
        bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    if (!ok) {
        throw LineError{QStringLiteral("\"dword:%1\" is not a DWORD: it needs one to eight "
                                       "hexadecimal digits, as in dword:0000002a")
                            .arg(Excerpt(text))};
    }
    return static_cast<std::int32_t>(bits);
}

// The key path of a section's text, "HKEY_LOCAL_MACHINE\Software\...".
QString SectionPath(QStringView full) {
    const qsizetype separator = full.indexOf(QLatin1Char('\\'));
    const QStringView root = separator < 0 ? full : full.left(separator);
    if (root.compare(kRegeditRoot, Qt::CaseInsensitive) != 0) {
        throw LineError{QStringLiteral("unknown root key \"%1\": this hive holds only %2")
                            .arg(Excerpt(root), QString(kRegeditRoot))};
    }
    const QString path = separator < 0 ? QString() : full.mid(separator + 1).toString();
    if (const QString problem = KeyPathProblem(path); !problem.isEmpty()) {
        throw LineError{
            QStringLiteral("\"%1\" is not a valid key path: %2").arg(Excerpt(full), problem)};
    }
    return path;
}

class Parser {
public:
    explicit Parser(QList<RegeditChange>& changes) : changes_(changes) {}

    void readLine(QStringView line, int number) {
        line_ = number;
        const QStringView content = line.trimmed();
        if (!headerSeen_) {
            readHeader(content);
        } else if (content.isEmpty() || content.startsWith(QLatin1Char(';'))) {
            return;
        } else if (content.startsWith(QLatin1Char('['))) {
            readSection(content);
        } else if (content.startsWith(QLatin1Char('"')) || content.startsWith(QLatin1Char('@'))) {
            readValue(content);
        } else {
            throw LineError{QStringLiteral("cannot read \"%1\": expected a [key] section, a "
                                           "\"name\"=value line or a ; comment")
                                .arg(Excerpt(content))};
        }
    }
    bool headerSeen() const { return headerSeen_; }

private:
    void readHeader(QStringView content) {
        if (content.isEmpty()) {
            return;
        }
        if (content != kRegeditHeader && content != u"Windows Registry Editor Version 5.00") {
            throw LineError{QStringLiteral("the text does not start with the line REGEDIT4")};
        }
        headerSeen_ = true;
    }

    void readSection(QStringView content) {
        if (!content.endsWith(QLatin1Char(']'))) {
            throw LineError{QStringLiteral("a section needs a closing \"]\"")};
        }
        QStringView inner = content.mid(1, content.size() - 2);
        const bool deletion = inner.startsWith(QLatin1Char('-'));
        const QString path = SectionPath(deletion ? inner.mid(1) : inner);
        if (deletion && KeyPath::parse(path)->isRoot()) {
            throw LineError{QStringLiteral("the root key cannot be deleted")};
        }
        key_ = path;
        keyDeleted_ = deletion;
        add(deletion ? RegeditChange::Kind::deleteKey : RegeditChange::Kind::ensureKey, {}, {});
    }

    void readValue(QStringView text) {
        if (!key_) {
            throw LineError{QStringLiteral("a value needs a [key] section above it")};
        }
        if (keyDeleted_) {
            throw LineError{QStringLiteral("a value cannot follow the deletion of its key")};
        }
        qsizetype pos = 0;
        QString name;
        if (text.front() == QLatin1Char('@')) {
            pos = 1;
        } else {
            name = ReadQuoted(text, pos);
        }
        SkipBlanks(text, pos);
        if (pos == text.size() || text[pos] != QLatin1Char('=')) {
            throw LineError{QStringLiteral("the value's name must be followed by \"=\"")};
        }
        ++pos;
        SkipBlanks(text, pos);
        readData(text.mid(pos), name);
    }

    void readData(QStringView data, const QString& name) {
        if (data.startsWith(QLatin1Char('"'))) {
            qsizetype pos = 0;
            const QString value = ReadQuoted(data, pos);
            ExpectLineEnd(data, pos);
            add(RegeditChange::Kind::setValue, name, RegValue::ofString(value));
        } else if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
            add(RegeditChange::Kind::setValue, name, RegValue::ofDword(ReadDword(data.mid(6))));
        } else if (data.startsWith(QLatin1Char('-'))) {
            ExpectLineEnd(data, 1);
            add(RegeditChange::Kind::deleteValue, name, {});
        } else if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
            throw LineError{QStringLiteral("binary (hex) values are not kept in this hive: only "
                                           "strings and dword values")};
        } else {
            throw LineError{QStringLiteral("cannot read the value \"%1\": expected \"text\", "
                                           "dword:0000002a or -")
                                .arg(Excerpt(data))};
        }
    }

    void add(RegeditChange::Kind kind, const QString& name, const RegValue& value) {
        if (const QString problem = ValueLimitProblem(name, value); !problem.isEmpty()) {
            throw LineError{problem};
        }
        changes_.append({kind, line_, *key_, name, value});
    }

    QList<RegeditChange>& changes_;
    int line_ = 0;
    bool headerSeen_ = false;
    std::optional<QString> key_;
    bool keyDeleted_ = false;
};

} // namespace

bool ParseRegedit(const QString& text, QList<RegeditChange>& changes, RegeditError& error) {
    changes.clear();
    Parser parser(changes);
    int number = 0;
    try {
        for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
            ++number;
            if (line.endsWith(QLatin1Char('\r'))) {
                line.chop(1);
            }
            parser.readLine(line, number);
        }
    } catch (const LineError& e) {
        error = {number, e.message};
        changes.clear();
        return false;
    }
    if (!parser.headerSeen()) {
        error = {1, QStringLiteral("the text is empty: it does not start with the line REGEDIT4")};
        return false;
    }
    return true;
}

} // namespace dvx
