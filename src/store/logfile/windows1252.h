#pragma once

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
// converter when the object is made: make one per save or load, not per text.
class Windows1252 {
public:
    // Fails with the system's error text when the C library has no converter for the page.
    Windows1252();

    QByteArray encode(const QString& text) const;
    // Writes the bytes of the text's first characters to `out`, at most `capacity` of them: the
    // first bytes of encode(text). Gives how many it wrote.
    qsizetype encode(QStringView text, char* out, qsizetype capacity) const;
    QString decode(QByteArrayView bytes) const;
    // Writes the characters of `bytes` to `out`, which has room for as many.
    void decode(QByteArrayView bytes, char16_t* out) const;

private:
    // The character of each byte; "?" for a byte the page leaves undefined.
    std::array<char16_t, 256> characters_{};
    char byteOf(char16_t character) const;

    // The byte of each character beyond ASCII that the page holds: those up to U+00FF by their
    // place, "?" where the page has none; the others by look-up.
    std::array<char, 256> latinBytes_{};
    QHash<char16_t, char> bytes_;
};

} // namespace dvx
