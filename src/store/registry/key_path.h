#pragma once

#include <QString>
#include <optional>

namespace dvx {

// A key path below the hive's root, "Software\Ostravane\Dorvantix": its key names as given
// (case preserved) and the folded form under which the hive finds it (case ignored).
struct KeyPath {
    QString text;   // the names joined by "\", empty for the root itself
    QString folded; // the same, folded

    bool isRoot() const { return text.isEmpty(); }
    // The last key name (empty for the root).
    QString name() const { return text.mid(text.lastIndexOf(QLatin1Char('\\')) + 1); }

    // Reads a "\"-separated path. A leading or trailing "\" is ignored; an empty key name
    // between two separators, a name that IsValidKeyName refuses, or more than kMaxKeyDepth
    // names make the path invalid.
    static std::optional<KeyPath> parse(const QString& path);
};

// Why the path cannot be read as a key path; empty when it can.
QString KeyPathProblem(QStringView path);

// The form in which names are compared: each character in its simple upper case, as the
// original registry compares key and value names.
QString FoldName(const QString& name);

// True when a key name may be stored: not empty, at most kMaxNameLength characters, no "\"
// and no control character.
bool IsValidKeyName(QStringView name);

} // namespace dvx
