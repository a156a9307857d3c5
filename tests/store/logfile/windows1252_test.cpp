#include "store/logfile/system_error_text.h"
#include "store/logfile/windows1252.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <iconv.h>

using namespace dvx;

namespace {

TEST(Windows1252, EveryCharacterIsOneByteAndUnmappableOnesAreQuestionMarks) {
    const struct {
        const char* utf8;
        QByteArray codePage;
    } cases[] = {
        {"plain", "plain"},
        {"é€£ÿ", "\xE9\x80\xA3\xFF"},
        {"Ł日😀x", "???x"},
        {"", ""},
    };
    Windows1252 codePage;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(codePage.encode(QString::fromUtf8(c.utf8)), c.codePage);
    }
}

// Writing into a field of some capacity gives the first bytes of the whole text's bytes, a
// character beyond the basic plane staying one byte where the field ends at it.
TEST(Windows1252, AFieldHoldsTheFirstBytesOfTheText) {
    Windows1252 codePage;
    for (const char* utf8 : {"plain", "café €5", "😀😀x", "a😀", "Ł日😀x", ""}) {
        const QString text = QString::fromUtf8(utf8);
        const QByteArray whole = codePage.encode(text);
        for (qsizetype capacity = 0; capacity <= text.size() + 1; ++capacity) {
            SCOPED_TRACE(std::string(utf8) + " in " + std::to_string(capacity));
            QByteArray field(capacity + 1, '#');
            const qsizetype written = codePage.encode(text, field.data(), capacity);
            EXPECT_EQ(field.left(written), whole.left(capacity));
            EXPECT_EQ(field.at(capacity), '#');
        }
    }
}

TEST(Windows1252, BytesDecodeToTheirCharactersAndUndefinedOnesToQuestionMarks) {
    Windows1252 codePage;
    EXPECT_EQ(codePage.decode("caf\xE9 \x80\xA3"), QStringLiteral("café €£"));
    EXPECT_EQ(codePage.decode("\x81\x8D\x8F\x90\x9Dz"), QStringLiteral("?????z"));
    EXPECT_EQ(codePage.decode(QByteArrayView()), QString());
}

// What the C library's converter makes of one character (as UTF-8), or of one byte: "?"
// where it makes nothing.
class LibraryConverter {
public:
    LibraryConverter()
        : toPage_(iconv_open("WINDOWS-1252", "UTF-8")),
          toUtf8_(iconv_open("UTF-8", "WINDOWS-1252")) {}
    ~LibraryConverter() {
        iconv_close(toPage_);
        iconv_close(toUtf8_);
    }
    QByteArray encode(const QString& character) { return convert(toPage_, character.toUtf8()); }
    QString decode(char byte) { return QString::fromUtf8(convert(toUtf8_, QByteArray(1, byte))); }

private:
    static QByteArray convert(iconv_t converter, QByteArray in) {
        char out[8] = {};
        char* inAt = in.data();
        std::size_t inLeft = static_cast<std::size_t>(in.size());
        char* outAt = out;
        std::size_t outLeft = sizeof(out);
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1))
            return "?";
        return QByteArray(out, static_cast<qsizetype>(sizeof(out) - outLeft));
    }

    iconv_t toPage_;
    iconv_t toUtf8_;
};

TEST(Windows1252, EveryCharacterAndByteConvertsAsTheLibraryConvertsIt) {
    LibraryConverter library;
    const Windows1252 codePage;
    for (char32_t c = 0; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 0x3FF) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString character = QString::fromUcs4(&c, 1);
        ASSERT_EQ(codePage.encode(character), library.encode(character))
            << std::hex << std::uint32_t(c);
    }
    for (int byte = 0; byte < 256; ++byte) {
        const char b = static_cast<char>(byte);
        ASSERT_EQ(codePage.decode(QByteArrayView(&b, 1)), library.decode(b)) << byte;
    }
}

TEST(SystemErrorText, NamesTheCommonFileFailures) {
    EXPECT_EQ(SystemErrorText(ENOENT), QStringLiteral("File not found"));
    EXPECT_EQ(SystemErrorText(EACCES), QStringLiteral("File access denied"));
    EXPECT_EQ(SystemErrorText(EPERM), QStringLiteral("File access denied"));
    EXPECT_EQ(SystemErrorText(ENOSPC), QStringLiteral("Disk full"));
    EXPECT_EQ(SystemErrorText(EIO), QString::fromLocal8Bit(std::strerror(EIO)));
}

} // namespace
