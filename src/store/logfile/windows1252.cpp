#include "store/logfile/windows1252.h"

#include "metering/conversion_error.h"
#include "store/logfile/system_error_text.h"

#include <cerrno>

namespace dvx {

namespace {

constexpr auto kCodePage = "WINDOWS-1252";
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

iconv_t openConverter(const char* to, const char* from) {
    const iconv_t descriptor = iconv_open(to, from);
    if (descriptor == kNoDescriptor)
        throw Error(SystemErrorText(errno));
    return descriptor;
}

bool isAscii(QByteArrayView bytes) {
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The length of the UTF-8 sequence that starts with `lead`.
std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Runs iconv over the whole input; a character it cannot convert is written as "?" and
// skipped by the length that `skip` gives for it.
template <typename SkipLength>
QByteArray convert(iconv_t descriptor, QByteArrayView input, std::size_t outputCapacity,
                   SkipLength skip) {
    QByteArray output(static_cast<qsizetype>(outputCapacity), Qt::Uninitialized);
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = static_cast<std::size_t>(input.size());
    char* out = output.data();
    std::size_t outLeft = outputCapacity;
    while (inLeft > 0) {
        if (iconv(descriptor, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if ((errno != EILSEQ && errno != EINVAL) || outLeft == 0)
            break;
        const std::size_t skipped = std::min(inLeft, skip(static_cast<unsigned char>(*in)));
        in += skipped;
        inLeft -= skipped;
        *out++ = '?';
        --outLeft;
    }
    output.truncate(static_cast<qsizetype>(outputCapacity - outLeft));
    return output;
}

} // namespace

Windows1252::Windows1252() : fromUtf8_(openConverter(kCodePage, "UTF-8")), toUtf8_(kNoDescriptor) {
    try {
        toUtf8_ = openConverter("UTF-8", kCodePage);
    } catch (...) {
        iconv_close(fromUtf8_);
        throw;
    }
}

Windows1252::~Windows1252() {
    iconv_close(fromUtf8_);
    iconv_close(toUtf8_);
}

QByteArray Windows1252::encode(const QString& text) {
    if (isAscii(text))
        return text.toLatin1();
    const QByteArray utf8 = text.toUtf8();
    // Every code-page byte stands for at least one UTF-8 byte.
    return convert(fromUtf8_, utf8, static_cast<std::size_t>(utf8.size()), utf8SequenceLength);
}

QString Windows1252::decode(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    // A code-page byte becomes at most three UTF-8 bytes (the euro sign, for one).
    const QByteArray utf8 = convert(toUtf8_, bytes, static_cast<std::size_t>(bytes.size()) * 3,
                                    [](unsigned char) { return std::size_t{1}; });
    return QString::fromUtf8(utf8);
}

} // namespace dvx
