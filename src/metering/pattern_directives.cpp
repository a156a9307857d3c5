#include "metering/pattern_directives.h"

#include <algorithm>
#include <optional>

namespace dvx {

namespace {

enum class Kind : std::uint8_t {
    Field,     // one piece of the date or time
    Composite, // stands for a pattern of other directives
    Zone,      // left out, together with the blank before it
    Blank,     // %n and %t
    Percent,   // %%
};

struct Directive {
    char16_t letter;
    Kind kind;
    PatternField field;
    Padding padding;
    // Qt's display format of the field (of its zero-padded form for a number), or what a
    // composite stands for.
    const char* spelling;
};

// The one table of the directives that the locales' date and time patterns use. Where two
// letters give the same field, the first is the one written back (PatternText).
constexpr Directive kDirectives[] = {
    {u'd', Kind::Field, PatternField::Day, Padding::Zero, "dd"},
    {u'e', Kind::Field, PatternField::Day, Padding::Space, "dd"},
    {u'm', Kind::Field, PatternField::Month, Padding::Zero, "MM"},
    {u'B', Kind::Field, PatternField::MonthName, Padding::None, "MMMM"},
    {u'b', Kind::Field, PatternField::AbbreviatedMonthName, Padding::None, "MMM"},
    {u'h', Kind::Field, PatternField::AbbreviatedMonthName, Padding::None, "MMM"},
    {u'A', Kind::Field, PatternField::Weekday, Padding::None, "dddd"},
    {u'a', Kind::Field, PatternField::AbbreviatedWeekday, Padding::None, "ddd"},
    {u'Y', Kind::Field, PatternField::Year, Padding::Zero, "yyyy"},
    {u'y', Kind::Field, PatternField::Year, Padding::Zero, "yyyy"},
    {u'C', Kind::Field, PatternField::Century, Padding::Zero, ""},
    {u'H', Kind::Field, PatternField::Hour, Padding::Zero, "HH"},
    {u'k', Kind::Field, PatternField::Hour, Padding::Space, "HH"},
    {u'I', Kind::Field, PatternField::Hour12, Padding::Zero, "hh"},
    {u'l', Kind::Field, PatternField::Hour12, Padding::Space, "hh"},
    {u'M', Kind::Field, PatternField::Minute, Padding::Zero, "mm"},
    {u'S', Kind::Field, PatternField::Second, Padding::Zero, "ss"},
    {u'p', Kind::Field, PatternField::Marker, Padding::None, "AP"},
    {u'P', Kind::Field, PatternField::LowerMarker, Padding::None, "ap"},
    {u'D', Kind::Composite, PatternField::Literal, Padding::None, "%m/%d/%y"},
    {u'F', Kind::Composite, PatternField::Literal, Padding::None, "%Y-%m-%d"},
    {u'T', Kind::Composite, PatternField::Literal, Padding::None, "%H:%M:%S"},
    {u'R', Kind::Composite, PatternField::Literal, Padding::None, "%H:%M"},
    {u'r', Kind::Composite, PatternField::Literal, Padding::None, nullptr}, // the 12-hour time
    {u'Z', Kind::Zone, PatternField::Literal, Padding::None, nullptr},
    {u'z', Kind::Zone, PatternField::Literal, Padding::None, nullptr},
    {u'n', Kind::Blank, PatternField::Literal, Padding::None, nullptr},
    {u't', Kind::Blank, PatternField::Literal, Padding::None, nullptr},
    {u'%', Kind::Percent, PatternField::Literal, Padding::None, nullptr},
};

constexpr const char* kDefaultTwelveHourPattern = "%I:%M:%S %p";
constexpr const char* kDefaultDatePattern = "%d/%m/%Y";
constexpr const char* kDefaultTimePattern = "%H:%M:%S";

const Directive* directiveFor(char16_t letter) {
    const auto found = std::find_if(std::begin(kDirectives), std::end(kDirectives),
                                    [letter](const Directive& d) { return d.letter == letter; });
    return found == std::end(kDirectives) ? nullptr : found;
}

const Directive* directiveFor(PatternField field, std::optional<Padding> padding = {}) {
    for (const Directive& d : kDirectives) {
        if (d.kind == Kind::Field && d.field == field && (!padding || d.padding == *padding))
            return &d;
    }
    return nullptr;
}

bool isNumber(PatternField field) {
    switch (field) {
    case PatternField::Day:
    case PatternField::Month:
    case PatternField::Year:
    case PatternField::Century:
    case PatternField::Hour:
    case PatternField::Hour12:
    case PatternField::Minute:
    case PatternField::Second:
        return true;
    default:
        return false;
    }
}

// One "%[flags][width][E|O]letter" of a pattern.
struct DirectiveAt {
    const Directive* directive = nullptr; // none for an unknown letter
    std::optional<Padding> padding;       // a flag's, which overrides the directive's
    qsizetype end = 0;                    // just after the letter
};

std::optional<DirectiveAt> readDirectiveAt(const QString& pattern, qsizetype percent) {
    DirectiveAt at;
    qsizetype p = percent + 1;
    for (; p < pattern.size(); ++p) {
        const char16_t c = pattern.at(p).unicode();
        if (c == u'-')
            at.padding = Padding::None;
        else if (c == u'_')
            at.padding = Padding::Space;
        else if (c == u'0')
            at.padding = Padding::Zero;
        else if (c != u'^' && c != u'#') // case changes are not kept
            break;
    }
    while (p < pattern.size() && pattern.at(p).isDigit()) // a width: numbers keep their own
        ++p;
    if (p < pattern.size() && (pattern.at(p) == u'E' || pattern.at(p) == u'O'))
        ++p; // era and alternative digit forms are written as the plain ones
    if (p >= pattern.size())
        return std::nullopt;
    at.directive = directiveFor(pattern.at(p).unicode());
    at.end = p + 1;
    return at;
}

class PatternCompiler {
public:
    explicit PatternCompiler(QString twelveHourPattern = {})
        : twelveHourPattern_(std::move(twelveHourPattern)) {}

    CompiledPattern compile(const QString& pattern) {
        add(pattern, 0);
        while (!tokens_.isEmpty() && tokens_.last().field == PatternField::Blank)
            tokens_.removeLast();
        return tokens_;
    }

private:
    void add(const QString& pattern, int depth) {
        for (qsizetype p = 0; p < pattern.size();) {
            std::optional<DirectiveAt> at;
            if (pattern.at(p) == u'%')
                at = readDirectiveAt(pattern, p);
            if (!at) {
                addCharacter(pattern.at(p++));
                continue;
            }
            p = at->end;
            if (at->directive)
                p = addDirective(*at, pattern, p, depth);
        }
    }

    // Adds one directive; returns where the pattern goes on (after a year that a century
    // before it has taken up).
    qsizetype addDirective(const DirectiveAt& at, const QString& pattern, qsizetype next,
                           int depth) {
        const Directive& d = *at.directive;
        switch (d.kind) {
        case Kind::Percent:
            addCharacter(QLatin1Char('%'));
            break;
        case Kind::Blank:
            addCharacter(QLatin1Char(' '));
            break;
        case Kind::Zone:
            leaveOutZone();
            break;
        case Kind::Composite:
            addComposite(d, depth);
            break;
        case Kind::Field:
            if (d.field == PatternField::Century && next < pattern.size() &&
                pattern.at(next) == u'%') {
                const auto year = readDirectiveAt(pattern, next);
                if (year && year->directive && year->directive->letter == u'y') {
                    addField(PatternField::Year, Padding::Zero);
                    return year->end;
                }
            }
            addField(d.field, at.padding.value_or(d.padding));
            break;
        }
        return next;
    }

    void addComposite(const Directive& d, int depth) {
        if (d.spelling) {
            add(QString::fromLatin1(d.spelling), depth + 1);
            return;
        }
        // The locale's 12-hour pattern, unless it is missing or refers to itself.
        const bool own = depth == 0 && !twelveHourPattern_.trimmed().isEmpty();
        add(own ? twelveHourPattern_ : QString::fromLatin1(kDefaultTwelveHourPattern), depth + 1);
    }

    void leaveOutZone() {
        if (!tokens_.isEmpty() && tokens_.last().field == PatternField::Blank)
            tokens_.removeLast();
        else if (tokens_.isEmpty())
            skipBlanks_ = true; // a zone in front goes with the blank after it
    }

    void addField(PatternField field, Padding padding) {
        tokens_.append({field, isNumber(field) ? padding : Padding::None, {}});
        skipBlanks_ = false;
    }

    void addCharacter(QChar c) {
        const PatternField field = c.isSpace() ? PatternField::Blank : PatternField::Literal;
        if (field == PatternField::Blank && (skipBlanks_ || tokens_.isEmpty()))
            return;
        skipBlanks_ = false;
        if (tokens_.isEmpty() || tokens_.last().field != field)
            tokens_.append({field, Padding::None, {}});
        tokens_.last().text += c;
    }

    QString twelveHourPattern_;
    CompiledPattern tokens_;
    bool skipBlanks_ = false;
};

bool has(const CompiledPattern& pattern, PatternField field) {
    return std::any_of(pattern.begin(), pattern.end(),
                       [field](const PatternToken& t) { return t.field == field; });
}

qsizetype indexOf(const CompiledPattern& pattern, PatternField field) {
    const auto found = std::find_if(pattern.begin(), pattern.end(),
                                    [field](const PatternToken& t) { return t.field == field; });
    return found == pattern.end() ? -1 : found - pattern.begin();
}

// Seconds after the minutes, with the separator that stands before the minutes.
void addSeconds(CompiledPattern& pattern) {
    const qsizetype minute = indexOf(pattern, PatternField::Minute);
    const bool separated = minute > 0 && pattern.at(minute - 1).field <= PatternField::Blank;
    const PatternToken separator =
        separated ? pattern.at(minute - 1)
                  : PatternToken{PatternField::Literal, Padding::None, QStringLiteral(":")};
    pattern.insert(minute + 1, separator);
    pattern.insert(minute + 2, {PatternField::Second, Padding::Zero, {}});
}

QString quotedForQt(const QString& text) {
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'\'';
    });
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

CompiledPattern CompileDatePattern(const QString& pattern) {
    CompiledPattern compiled = PatternCompiler().compile(pattern);
    const bool month = has(compiled, PatternField::Month) ||
                       has(compiled, PatternField::MonthName) ||
                       has(compiled, PatternField::AbbreviatedMonthName);
    if (!month || !has(compiled, PatternField::Day) || !has(compiled, PatternField::Year))
        return PatternCompiler().compile(QString::fromLatin1(kDefaultDatePattern));
    return compiled;
}

CompiledPattern CompileTimePattern(const QString& pattern, const QString& twelveHourPattern) {
    CompiledPattern compiled = PatternCompiler(twelveHourPattern).compile(pattern);
    const bool hour = has(compiled, PatternField::Hour) || has(compiled, PatternField::Hour12);
    if (!hour || !has(compiled, PatternField::Minute))
        return PatternCompiler().compile(QString::fromLatin1(kDefaultTimePattern));
    if (!has(compiled, PatternField::Second))
        addSeconds(compiled);
    const bool marker =
        has(compiled, PatternField::Marker) || has(compiled, PatternField::LowerMarker);
    if (has(compiled, PatternField::Hour12) && !marker) {
        compiled.append({PatternField::Blank, Padding::None, QStringLiteral(" ")});
        compiled.append({PatternField::Marker, Padding::None, {}});
    }
    return compiled;
}

QStringList UnknownDirectives(const QString& pattern) {
    QStringList unknown;
    for (qsizetype p = 0; p < pattern.size(); ++p) {
        if (pattern.at(p) != u'%')
            continue;
        const std::optional<DirectiveAt> at = readDirectiveAt(pattern, p);
        if (!at)
            break;
        if (!at->directive)
            unknown.append(pattern.mid(p, at->end - p));
        p = at->end - 1;
    }
    return unknown;
}

QString PatternText(const CompiledPattern& pattern) {
    QString text;
    for (const PatternToken& token : pattern) {
        if (token.field == PatternField::Literal) {
            text += QString(token.text).replace(QLatin1Char('%'), QLatin1String("%%"));
        } else if (token.field == PatternField::Blank) {
            text += token.text;
        } else if (const Directive* exact = directiveFor(token.field, token.padding)) {
            text += QLatin1Char('%') + QChar(exact->letter);
        } else {
            const char flag = token.padding == Padding::None    ? '-'
                              : token.padding == Padding::Space ? '_'
                                                                : '0';
            text += QLatin1Char('%');
            text += QLatin1Char(flag);
            text += QChar(directiveFor(token.field)->letter);
        }
    }
    return text;
}

QString QtFormat(const CompiledPattern& pattern) {
    QString format;
    for (const PatternToken& token : pattern) {
        if (token.field <= PatternField::Blank) {
            format += quotedForQt(token.text);
            continue;
        }
        const QString spelling = QString::fromLatin1(directiveFor(token.field)->spelling);
        const bool padded = token.padding == Padding::Zero || !isNumber(token.field);
        format += padded ? spelling : spelling.left(1);
    }
    return format;
}

} // namespace dvx
