#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <iconv.h>

namespace dvx {

// Converts texts to and from Windows-1252, the single-byte code page of the log file's short
// strings. A character that the other side cannot hold becomes "?", so every character gives
// exactly one byte and every byte one character. Holds two iconv descriptors: make one per
// save or load, not per text, and use it from one thread.
class Windows1252 {
public:
    Windows1252();
    ~Windows1252();
    Windows1252(const Windows1252&) = delete;
    Windows1252& operator=(const Windows1252&) = delete;

    QByteArray encode(const QString& text);
    QString decode(QByteArrayView bytes);

private:
    iconv_t fromUtf8_;
    iconv_t toUtf8_;
};

} // namespace dvx
