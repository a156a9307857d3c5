#include "store/logfile/windows1252.h"

#include "metering/conversion_error.h"
#include "store/logfile/system_error_text.h"

#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace dvx {

namespace {

constexpr auto kCodePage = "WINDOWS-1252";
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr char16_t kUnmappable = u'?';

iconv_t openConverter(const char* to, const char* from) {
    const iconv_t descriptor = iconv_open(to, from);
    if (descriptor == kNoDescriptor)
        throw Error(SystemErrorText(errno));
    return descriptor;
}

// The character that the converter makes of one code-page byte, or "?" when it makes none.
char16_t characterOf(iconv_t toUtf16, unsigned char byte) {
    char in[1] = {static_cast<char>(byte)};
    char16_t out[2] = {};
    char* inAt = in;
    std::size_t inLeft = 1;
    char* outAt = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof(out);
    iconv(toUtf16, nullptr, nullptr, nullptr, nullptr);
    if (iconv(toUtf16, &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1) ||
        outLeft != sizeof(out) - sizeof(char16_t))
        return kUnmappable;
    return out[0];
}

} // namespace

Windows1252::Windows1252() {
    // The converters are opened in both directions, as a code page that converts only one
    // way is of no use for a file that is saved and loaded.
    const iconv_t fromUtf8 = openConverter(kCodePage, "UTF-8");
    const auto closeFrom = qScopeGuard([fromUtf8] { iconv_close(fromUtf8); });
    const iconv_t toUtf16 = openConverter("UTF-16LE", kCodePage);
    const auto closeTo = qScopeGuard([toUtf16] { iconv_close(toUtf16); });
    latinBytes_.fill(static_cast<char>(kUnmappable));
    // ASCII is the same in the page.
    for (char16_t character = 0; character < 0x80; ++character)
        latinBytes_[character] = static_cast<char>(character);
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t character = characterOf(toUtf16, static_cast<unsigned char>(byte));
        characters_[static_cast<std::size_t>(byte)] = character;
        if (byte < 0x80 || character == kUnmappable)
            continue;
        if (character < latinBytes_.size())
            latinBytes_[character] = static_cast<char>(byte);
        else
            bytes_.insert(character, static_cast<char>(byte));
    }
}

const Windows1252& Windows1252::kept() {
    static const Windows1252 codePage;
    return codePage;
}

char Windows1252::byteOf(char16_t character) const {
    if (character < latinBytes_.size())
        return latinBytes_[character];
    return bytes_.value(character, static_cast<char>(kUnmappable));
}

QByteArray Windows1252::encode(const QString& text) const {
    const auto beyondAscii = [](QChar c) { return c.unicode() >= 0x80; };
    if (std::none_of(text.cbegin(), text.cend(), beyondAscii))
        return text.toLatin1();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(encode(text, bytes.data(), bytes.size()));
    return bytes;
}

qsizetype Windows1252::encode(QStringView text, char* out, qsizetype capacity) const {
    // ASCII, as most texts are throughout, goes as it is.
    const qsizetype ascii = std::min(text.size(), capacity);
    qsizetype i = 0;
    for (; i < ascii && text.at(i).unicode() < 0x80; ++i)
        out[i] = static_cast<char>(text.at(i).unicode());
    qsizetype written = i;
    for (; i < text.size() && written < capacity; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            out[written++] = static_cast<char>(c);
            continue;
        }
        // A character beyond the basic plane is one "?" for both its halves.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        out[written++] = byteOf(c);
    }
    return written;
}

qsizetype Windows1252::encode(const CodePageText& text, char* out, qsizetype capacity) const {
    const QByteArrayView bytes = text.bytes().first(std::min(text.bytes().size(), capacity));
    for (const char byte : bytes)
        *out++ = byteOf(text.characters()[static_cast<unsigned char>(byte)]);
    return bytes.size();
}

QString Windows1252::decode(QByteArrayView bytes) const {
    QString text(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), text.begin(), [this](char byte) {
        return QChar(characters_[static_cast<unsigned char>(byte)]);
    });
    return text;
}

} // namespace dvx
