#pragma once

#include "metering/listed_session.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <array>

namespace dvx {

// Converts texts to and from Windows-1252, the single-byte code page of the log file's short
// strings. A character that the other side cannot hold becomes "?", so every character gives
// exactly one byte and every byte one character. The code page is learnt from the C library's
// converter when the object is made: the program learns it once and keeps it, as the texts of
// loaded sessions read their characters from it for as long as they are listed.
class Windows1252 {
public:
    // Both fail with the system's error text when the C library has no converter for the page.
    Windows1252();
    // The page that the program keeps, learnt the first time it is asked for.
    static const Windows1252& kept();

    QByteArray encode(const QString& text) const;
    // Writes the bytes of the text's first characters to `out`, at most `capacity` of them: the
    // first bytes of encode(text). Gives how many it wrote.
    qsizetype encode(QStringView text, char* out, qsizetype capacity) const;
    // The same for a text kept in the bytes of a code page: each of its characters read through
    // that page's table and written as this page's byte.
    qsizetype encode(const CodePageText& text, char* out, qsizetype capacity) const;
    QString decode(QByteArrayView bytes) const;

    // The character of each byte; "?" for a byte the page leaves undefined.
    const CodePageCharacters& characters() const { return characters_; }

private:
    CodePageCharacters characters_{};
    char byteOf(char16_t character) const;

    // The byte of each character that the page holds: those up to U+00FF by their place, "?"
    // where the page has none; the others by look-up.
    std::array<char, 256> latinBytes_{};
    QHash<char16_t, char> bytes_;
};

} // namespace dvx
