#pragma once

#include "store/registry/hive.h"
#include "store/registry/reg_value.h"

#include <QString>
#include <functional>

// The REGEDIT4 text form of keys and values, in which the hive is exported and imported:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Ostravane\Dorvantix]
//   "DefaultDescription"="Dial-up \"home\""
//   "PeakPerSecond"=dword:0000002a
//
// Strings are quoted with "\\" and "\"" escaped, and a line break in a string as "\n" or "\r";
// a DWORD is eight hexadecimal digits of its 32 bits; "@" names the key's unnamed value.
namespace dvx {

inline constexpr QLatin1String kRegeditHeader{"REGEDIT4"};
inline constexpr QLatin1String kRegeditRoot{"HKEY_LOCAL_MACHINE"};

// "text" quoted and escaped.
QString QuoteRegeditString(const QString& text);
// The section line of a key path relative to the root: "[HKEY_LOCAL_MACHINE\path]".
QString RegeditSection(const QString& path);
// One value line: "name"="text", "name"=dword:0000002a or @=... for the unnamed value. A
// value of a type that cannot be written here gives a comment line saying so.
QString RegeditValueLine(const NamedRegValue& value);

// The key and everything below it as REGEDIT4 text, from one state of the hive, handed to
// `write` a key at a time so that no more than one key's text is held at once; false (with the
// reason in the hive's lastError()) when the key does not exist or cannot be read. Nothing is
// written for a key that does not exist.
using RegeditSink = std::function<void(const QString& text)>;
bool ExportRegedit(Hive& hive, const QString& key, const RegeditSink& write);
// The same, collected in one text (which is left as it was on failure).
bool ExportRegedit(Hive& hive, const QString& key, QString& text);

} // namespace dvx
