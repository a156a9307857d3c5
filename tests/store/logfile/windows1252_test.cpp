#include "store/logfile/system_error_text.h"
#include "store/logfile/windows1252.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

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

TEST(Windows1252, BytesDecodeToTheirCharactersAndUndefinedOnesToQuestionMarks) {
    Windows1252 codePage;
    EXPECT_EQ(codePage.decode("caf\xE9 \x80\xA3"), QStringLiteral("café €£"));
    EXPECT_EQ(codePage.decode("\x81\x8D\x8F\x90\x9Dz"), QStringLiteral("?????z"));
    EXPECT_EQ(codePage.decode(QByteArrayView()), QString());
}

TEST(SystemErrorText, NamesTheCommonFileFailures) {
    EXPECT_EQ(SystemErrorText(ENOENT), QStringLiteral("File not found"));
    EXPECT_EQ(SystemErrorText(EACCES), QStringLiteral("File access denied"));
    EXPECT_EQ(SystemErrorText(EPERM), QStringLiteral("File access denied"));
    EXPECT_EQ(SystemErrorText(ENOSPC), QStringLiteral("Disk full"));
    EXPECT_EQ(SystemErrorText(EIO), QString::fromLocal8Bit(std::strerror(EIO)));
}

} // namespace
