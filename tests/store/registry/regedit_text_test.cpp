#include "store/registry/regedit_import.h"
#include "store/registry/regedit_parser.h"
#include "store/registry/regedit_text.h"
#include "temp_hive.h"

using namespace dvx;
using dvx::test::TempHiveTest;

namespace {

using Kind = RegeditChange::Kind;

TEST(RegeditText, WritesValueLinesWithEscapes) {
    const struct {
        NamedRegValue value;
        const char16_t* line;
    } cases[] = {
        {{"PeakPerSecond", RegValue::ofDword(42)}, u"\"PeakPerSecond\"=dword:0000002a"},
        {{"Minus", RegValue::ofDword(-1)}, u"\"Minus\"=dword:ffffffff"},
        {{"Low", RegValue::ofDword(INT32_MIN)}, u"\"Low\"=dword:80000000"},
        {{"Path", RegValue::ofString("C:\\a \"b\"")}, u"\"Path\"=\"C:\\\\a \\\"b\\\"\""},
        {{"Two\nLines", RegValue::ofString("x\r\ny")}, u"\"Two\\nLines\"=\"x\\r\\ny\""},
        {{"", RegValue::ofString("")}, u"@=\"\""},
        {{"Städte", RegValue::ofString("Zürich ☎")}, u"\"Städte\"=\"Zürich ☎\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RegeditValueLine(c.value), QString::fromUtf16(c.line));
    }
    EXPECT_EQ(RegeditSection(QString()), QStringLiteral("[HKEY_LOCAL_MACHINE]"));
    EXPECT_EQ(RegeditSection(QStringLiteral("Software\\X")),
              QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\X]"));
}

TEST(RegeditText, ReadsSectionsValuesAndDeletions) {
    const QString text = QStringLiteral("\r\nREGEDIT4\r\n"
                                        "; a comment\r\n"
                                        "\r\n"
                                        "[hkey_local_machine\\Software\\X]\r\n"
                                        "\"A\" = \"x \\\"y\\\" \\\\ z\"  \r\n"
                                        "@=dword:FFFFFFFE\r\n"
                                        "\"Gone\"=-\r\n"
                                        "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n");
    QList<RegeditChange> changes;
    RegeditError error;
    ASSERT_TRUE(ParseRegedit(text, changes, error)) << error.line << error.message.toStdString();
    const QString x = QStringLiteral("Software\\X");
    const QList<RegeditChange> expected = {
        {Kind::ensureKey, 5, x, {}, {}},
        {Kind::setValue, 6, x, "A", RegValue::ofString("x \"y\" \\ z")},
        {Kind::setValue, 7, x, "", RegValue::ofDword(-2)},
        {Kind::deleteValue, 8, x, "Gone", {}},
        {Kind::deleteKey, 9, QStringLiteral("Software\\Old"), {}, {}},
    };
    EXPECT_EQ(changes, expected);
}

TEST(RegeditText, RefusesBadInputNamingTheLine) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"", 1, "REGEDIT4"},
        {"[HKEY_LOCAL_MACHINE\\A]\n", 1, "REGEDIT4"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n", 3,
         "unknown root key \"HKEY_CURRENT_USER\""},
        {"REGEDIT4\n\"a\"=\"b\"\n", 2, "[key] section"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", 2, "closing \"]\""},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", 2, "not a valid key path"},
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n", 2, "root key cannot be deleted"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"open\n", 3, "no closing quote"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"x\\y\"\n", 3, "unknown escape"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"x\" junk\n", 3, "after the value"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=dword:123456789\n", 3, "eight hexadecimal"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=dword:-1\n", 3, "eight hexadecimal"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=dword:\n", 3, "eight hexadecimal"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=hex:00,01\n", 3, "binary (hex)"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\" \"b\"\n", 3, "followed by \"=\""},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=42\n", 3, "cannot read the value"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\nPeak=1\n", 3, "cannot read \"Peak=1\""},
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"b\"\n", 3, "deletion of its key"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QList<RegeditChange> changes;
        RegeditError error;
        EXPECT_FALSE(ParseRegedit(QString::fromUtf8(c.text), changes, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.message)))
            << error.message.toStdString();
        EXPECT_TRUE(changes.isEmpty());
    }
}

TEST(RegeditText, DecodesUtf8AndUtf16Files) {
    QString text;
    RegeditError error;
    const QString expected = QStringLiteral("REGEDIT4\n\"ä\"");
    EXPECT_TRUE(DecodeRegeditFile(expected.toUtf8(), text, error));
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(DecodeRegeditFile("\xef\xbb\xbf" + expected.toUtf8(), text, error));
    EXPECT_EQ(text, expected);
    QByteArray utf16("\xff\xfe");
    utf16.append(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2);
    EXPECT_TRUE(DecodeRegeditFile(utf16, text, error));
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(DecodeRegeditFile("REGEDIT4\n\n\"a\"=\"\xff\xfe\"\n", text, error));
    EXPECT_EQ(error.line, 3);
}

class RegeditRoundTrip : public TempHiveTest {};

// Every kind of character a name or a value may hold survives export and import.
TEST_F(RegeditRoundTrip, ExportThenImportGivesTheSameTree) {
    Hive source(filePath(QStringLiteral("source.db")));
    const QString key = QStringLiteral("Software\\Ostravane\\Dorvantix");
    const QList<std::pair<QString, QList<NamedRegValue>>> tree = {
        {key,
         {{"Quotes \"q\"", RegValue::ofString("say \"hi\"")},
          {"Back\\slash", RegValue::ofString("C:\\dir\\")},
          {"", RegValue::ofString("unnamed")},
          {"Empty", RegValue::ofString("")},
          {QStringLiteral("Städte ☎ \U0001F600"),
           RegValue::ofString(QStringLiteral("Zürich — ½ €"))},
          {"Lines", RegValue::ofString("one\ntwo\r\nthree\ttab")},
          {"@", RegValue::ofString("named at")},
          {"Min", RegValue::ofDword(INT32_MIN)},
          {"Minus one", RegValue::ofDword(-1)},
          {"Max", RegValue::ofDword(INT32_MAX)},
          {"Zero", RegValue::ofDword(0)}}},
        {key + QStringLiteral("\\Brackets [x] ]"), {{"=", RegValue::ofString("=;[]")}}},
        {key + QStringLiteral("\\Empty key"), {}},
        {key + QStringLiteral("\\Ünïcode ключ"), {{"ключ", RegValue::ofDword(7)}}},
    };
    for (const auto& [path, values] : tree) {
        ASSERT_TRUE(source.ensureKey(path));
        for (const NamedRegValue& value : values) {
            ASSERT_TRUE(source.writeValue(path, value.name, value.value));
        }
    }
    QString exported;
    ASSERT_TRUE(ExportRegedit(source, QStringLiteral("Software"), exported));
    RegeditError error;
    Hive target(hivePath());
    ASSERT_TRUE(ImportRegedit(target, exported.toUtf8(), error))
        << error.line << ": " << error.message.toStdString() << "\n"
        << exported.toStdString();
    QString again;
    ASSERT_TRUE(ExportRegedit(target, QString(), again));
    EXPECT_EQ(again, exported.replace(QStringLiteral("REGEDIT4\n"),
                                      QStringLiteral("REGEDIT4\n\n[HKEY_LOCAL_MACHINE]\n")));
    for (const auto& [path, values] : tree) {
        QList<NamedRegValue> read;
        ASSERT_TRUE(target.listValues(path, read)) << path.toStdString();
        EXPECT_EQ(read, values);
    }
}

TEST_F(RegeditRoundTrip, AFailingImportChangesNothing) {
    Hive hive(hivePath());
    ASSERT_TRUE(hive.writeValue(QStringLiteral("Software\\Keep"), QStringLiteral("v"),
                                RegValue::ofDword(1)));
    const QByteArray text = "REGEDIT4\n"
                            "[HKEY_LOCAL_MACHINE\\Software\\New]\n"
                            "\"a\"=\"b\"\n"
                            "[-HKEY_LOCAL_MACHINE\\Software\\Keep]\n"
                            "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                            "\"c\"=dword:xyz\n";
    RegeditError error;
    EXPECT_FALSE(ImportRegedit(hive, text, error));
    EXPECT_EQ(error.line, 6);
    EXPECT_TRUE(hive.keyExists(QStringLiteral("Software\\Keep")));
    EXPECT_FALSE(hive.keyExists(QStringLiteral("Software\\New")));
}

TEST_F(RegeditRoundTrip, DeletionsOfMissingKeysAndValuesAreNoErrors) {
    Hive hive(hivePath());
    const QByteArray text = "REGEDIT4\n"
                            "[-HKEY_LOCAL_MACHINE\\Software\\Never]\n"
                            "[HKEY_LOCAL_MACHINE\\Software\\X]\n"
                            "\"v\"=dword:00000001\n"
                            "\"w\"=-\n"
                            "\"V\"=-\n";
    RegeditError error;
    EXPECT_TRUE(ImportRegedit(hive, text, error)) << error.message.toStdString();
    QList<NamedRegValue> values;
    EXPECT_TRUE(hive.listValues(QStringLiteral("Software\\X"), values));
    EXPECT_TRUE(values.isEmpty());
}

} // namespace
