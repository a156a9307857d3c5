#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace dvx {

// A key path below the hive's root, "Software\Ostravane\Dorvantix": its key names as given
// (case preserved) and the folded form under which the hive finds it (case ignored).
struct KeyPath {
    QStringList names; // empty for the root itself
    QString folded;    // the folded names joined by "\"

    bool isRoot() const { return names.isEmpty(); }
    // The path of the parent key; the root's parent is the root.
    KeyPath parent() const;
    QString text() const { return names.join(QLatin1Char('\\')); }

    // Splits a "\"-separated path. A leading or trailing "\" is ignored; an empty key name
    // between two separators, or a name holding a control character, makes the path invalid.
    static std::optional<KeyPath> parse(const QString& path);
};

// The form in which names are compared: each character in its simple upper case, as the
// original registry compares key and value names.
QString FoldName(const QString& name);

// True when a key name may be stored: not empty, at most 255 characters, no "\" and no
// control character.
bool IsValidKeyName(const QString& name);

} // namespace dvx
