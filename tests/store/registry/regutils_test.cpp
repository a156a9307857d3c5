#include "store/registry/regutils.h"
#include "temp_hive.h"

#include <functional>
#include <optional>

using namespace dvx;
using dvx::test::TempHiveTest;

namespace {

const QString kKey = QStringLiteral("Software\\Ostravane\\Dorvantix");

// What a key holds before a read: nothing (no key), the key without the value, or the value.
enum class Stored { noKey, noValue, dword, string };

class RegUtils : public TempHiveTest {
protected:
    void Store(Stored stored, const QString& name, std::int32_t dword, const QString& text) {
        if (stored == Stored::noValue) {
            ASSERT_FALSE(registry().EnsureRegKey(kKey));
        } else if (stored == Stored::dword) {
            ASSERT_FALSE(registry().WriteRegInteger(kKey, name, dword));
        } else if (stored == Stored::string) {
            ASSERT_FALSE(registry().WriteRegString(kKey, name, text));
        }
    }

    // The value as the hive holds it afterwards, or nothing when it (or its key) is missing.
    std::optional<RegValue> Held(const QString& name) {
        RegValue value;
        if (hive().readValue(kKey, name, value) != Hive::Lookup::found) {
            return std::nullopt;
        }
        return value;
    }
};

struct IntegerReadCase {
    const char* what;
    Stored stored;
    std::int32_t storedDword;
    const char* storedText;
    bool createIfMissing;
    bool failed;
    std::int32_t variable; // the variable starts at 99
    std::optional<RegValue> after;
};

TEST_F(RegUtils, ReadRegIntegerCreatesReplacesOrLeavesTheVariable) {
    const IntegerReadCase cases[] = {
        {"missing key", Stored::noKey, 0, "", false, true, 99, std::nullopt},
        {"missing key, create", Stored::noKey, 0, "", true, true, 99, std::nullopt},
        {"missing value", Stored::noValue, 0, "", false, true, 99, std::nullopt},
        {"missing value, create", Stored::noValue, 0, "", true, false, 0, RegValue::ofDword(0)},
        {"dword", Stored::dword, 42, "", false, false, 42, RegValue::ofDword(42)},
        {"negative dword", Stored::dword, -7, "", true, false, -7, RegValue::ofDword(-7)},
        {"string", Stored::string, 0, "12", false, false, 0, RegValue::ofDword(0)},
        {"empty string", Stored::string, 0, "", true, false, 0, RegValue::ofDword(0)},
    };
    for (const IntegerReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = QString::fromLatin1(c.what);
        Store(c.stored, name, c.storedDword, QString::fromUtf8(c.storedText));
        std::int32_t variable = 99;
        EXPECT_EQ(registry().ReadRegInteger(kKey, name, variable, c.createIfMissing), c.failed);
        EXPECT_EQ(variable, c.variable);
        EXPECT_EQ(Held(name), c.after);
        if (c.stored == Stored::noKey) {
            EXPECT_FALSE(hive().keyExists(kKey)) << "a read created its key";
        }
    }
}

struct StringReadCase {
    const char* what;
    Stored stored;
    std::int32_t storedDword;
    const char16_t* storedText;
    bool createIfMissing;
    bool failed;
    const char16_t* variable; // the variable starts as "before"
    std::optional<RegValue> after;
};

TEST_F(RegUtils, ReadRegStringCreatesReplacesOrLeavesTheVariable) {
    const QString withNul = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
    const StringReadCase cases[] = {
        {"missing key", Stored::noKey, 0, u"", true, true, u"before", std::nullopt},
        {"missing value", Stored::noValue, 0, u"", false, true, u"before", std::nullopt},
        {"missing value, create", Stored::noValue, 0, u"", true, false, u"",
         RegValue::ofString({})},
        {"text", Stored::string, 0, u"Zürich ☎ \U0001F600 \"q\" \\", false, false,
         u"Zürich ☎ \U0001F600 \"q\" \\",
         RegValue::ofString(QString::fromUtf16(u"Zürich ☎ \U0001F600 \"q\" \\"))},
        {"dword", Stored::dword, 5, u"", false, false, u"", RegValue::ofString({})},
    };
    for (const StringReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = QString::fromLatin1(c.what);
        Store(c.stored, name, c.storedDword, QString::fromUtf16(c.storedText));
        QString variable = QStringLiteral("before");
        EXPECT_EQ(registry().ReadRegString(kKey, name, variable, c.createIfMissing), c.failed);
        EXPECT_EQ(variable, QString::fromUtf16(c.variable));
        EXPECT_EQ(Held(name), c.after);
    }
    // A string ends at its first NUL.
    ASSERT_FALSE(registry().WriteRegString(kKey, QStringLiteral("nul"), withNul));
    QString read;
    EXPECT_FALSE(registry().ReadRegString(kKey, QStringLiteral("nul"), read, false));
    EXPECT_EQ(read, QStringLiteral("ab"));
}

TEST_F(RegUtils, WritesCreateMissingParentsAndReplaceTheType) {
    const QString deep = QStringLiteral("Software\\A\\B\\C");
    EXPECT_FALSE(registry().WriteRegInteger(deep, QStringLiteral("v"), 1));
    for (const QString& key : {QStringLiteral("Software"), QStringLiteral("Software\\A"),
                               QStringLiteral("Software\\A\\B"), deep}) {
        EXPECT_TRUE(hive().keyExists(key)) << key.toStdString();
    }
    EXPECT_FALSE(registry().WriteRegString(deep, QStringLiteral("v"), QStringLiteral("now text")));
    QString text;
    EXPECT_FALSE(registry().ReadRegString(deep, QStringLiteral("v"), text, false));
    EXPECT_EQ(text, QStringLiteral("now text"));
    EXPECT_FALSE(registry().WriteRegInteger(deep, QStringLiteral("v"), INT32_MIN));
    std::int32_t number = 0;
    EXPECT_FALSE(registry().ReadRegInteger(deep, QStringLiteral("v"), number, false));
    EXPECT_EQ(number, INT32_MIN);
}

TEST_F(RegUtils, NamesIgnoreCaseAndKeepTheirFirstCase) {
    EXPECT_FALSE(registry().WriteRegInteger(QStringLiteral("Software\\Ostravane"),
                                            QStringLiteral("Peak"), 1));
    EXPECT_FALSE(registry().WriteRegInteger(QStringLiteral("SOFTWARE\\ostravane"),
                                            QStringLiteral("PEAK"), 2));
    EXPECT_FALSE(
        registry().WriteRegString(QStringLiteral("software\\Ärger"), QStringLiteral("x"), {}));
    std::int32_t value = 0;
    EXPECT_FALSE(registry().ReadRegInteger(QStringLiteral("software\\OSTRAVANE"),
                                           QStringLiteral("peak"), value, false));
    EXPECT_EQ(value, 2);
    QList<NamedRegValue> values;
    ASSERT_TRUE(hive().listValues(QStringLiteral("Software\\Ostravane"), values));
    ASSERT_EQ(values.size(), 1);
    EXPECT_EQ(values[0].name, QStringLiteral("Peak"));
    QStringList names;
    EXPECT_FALSE(registry().ListRegSubKeys(QStringLiteral("SOFTWARE"), names));
    EXPECT_EQ(names, QStringList({QStringLiteral("Ostravane"), QStringLiteral("Ärger")}));
    EXPECT_FALSE(registry().EnsureRegKey(QStringLiteral("SOFTWARE\\ÄRGER")));
    EXPECT_FALSE(registry().ListRegSubKeys(QStringLiteral("Software"), names));
    EXPECT_EQ(names.size(), 2) << "a key differing only in case was created twice";
}

TEST_F(RegUtils, ListRegSubKeysGivesTextOrderIgnoringCase) {
    const QString sessions = kKey + QStringLiteral("\\Sessions");
    for (const char16_t* name : {u"b", u"10", u"_x", u"A", u"2", u"ä", u"0", u"1"}) {
        ASSERT_FALSE(
            registry().EnsureRegKey(sessions + QLatin1Char('\\') + QString::fromUtf16(name)));
    }
    ASSERT_FALSE(registry().EnsureRegKey(sessions + QStringLiteral("\\2\\grandchild")));
    QStringList names{QStringLiteral("left over")};
    EXPECT_FALSE(registry().ListRegSubKeys(sessions, names));
    EXPECT_EQ(names, QStringList({"0", "1", "10", "2", "A", "b", "_x", QStringLiteral("ä")}));

    names = QStringList{QStringLiteral("left over")};
    EXPECT_TRUE(registry().ListRegSubKeys(kKey + QStringLiteral("\\Missing"), names));
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(RegUtils, DeleteRegKeyRemovesTheWholeSubtreeAndNothingBeside) {
    const QString sessions = kKey + QStringLiteral("\\Sessions");
    ASSERT_FALSE(registry().WriteRegInteger(sessions + QStringLiteral("\\0"),
                                            QStringLiteral("CallTime"), 1));
    ASSERT_FALSE(registry().WriteRegInteger(sessions + QStringLiteral("\\1\\deep\\er"),
                                            QStringLiteral("v"), 2));
    ASSERT_FALSE(registry().WriteRegInteger(sessions, QStringLiteral("own"), 3));
    // Siblings whose names start like the deleted key's must stay.
    for (const char* sibling : {"\\Sessions2", "\\Sessions]", "\\Sessions 2", "\\Sessionsa"}) {
        ASSERT_FALSE(
            registry().WriteRegInteger(kKey + QLatin1String(sibling), QStringLiteral("v"), 4));
    }
    EXPECT_FALSE(
        registry().DeleteRegKey(QStringLiteral("software\\ostravane\\dorvantix\\SESSIONS")));
    EXPECT_FALSE(hive().keyExists(sessions));
    EXPECT_FALSE(hive().keyExists(sessions + QStringLiteral("\\1\\deep")));
    QStringList left;
    EXPECT_FALSE(registry().ListRegSubKeys(kKey, left));
    EXPECT_EQ(left, QStringList({"Sessions 2", "Sessions2", "Sessionsa", "Sessions]"}));
    std::int32_t value = 0;
    EXPECT_FALSE(registry().ReadRegInteger(kKey + QStringLiteral("\\Sessions2"),
                                           QStringLiteral("v"), value, false));
    EXPECT_EQ(value, 4);
    // A key created again under the old name starts empty.
    EXPECT_FALSE(registry().EnsureRegKey(sessions));
    EXPECT_FALSE(registry().ListRegSubKeys(sessions, left));
    EXPECT_TRUE(left.isEmpty());
    EXPECT_TRUE(registry().ReadRegInteger(sessions, QStringLiteral("own"), value, false));
}

TEST_F(RegUtils, DeletionsOfWhatIsMissingFailSilently) {
    ASSERT_FALSE(registry().WriteRegInteger(kKey, QStringLiteral("v"), 1));
    EXPECT_TRUE(registry().DeleteRegValue(kKey, QStringLiteral("missing")));
    EXPECT_TRUE(registry().DeleteRegValue(kKey + QStringLiteral("\\Missing"), QStringLiteral("v")));
    EXPECT_TRUE(registry().DeleteRegKey(kKey + QStringLiteral("\\Missing")));
    EXPECT_TRUE(registry().DeleteRegKey(QString())) << "the root cannot be deleted";
    EXPECT_FALSE(registry().DeleteRegValue(kKey, QStringLiteral("V")));
    EXPECT_EQ(Held(QStringLiteral("v")), std::nullopt);
    EXPECT_TRUE(hive().keyExists(kKey));
}

TEST_F(RegUtils, EnsureRegKeyCreatesOnceAndKeepsWhatIsThere) {
    EXPECT_FALSE(registry().EnsureRegKey(kKey + QStringLiteral("\\Sessions\\0")));
    EXPECT_TRUE(hive().keyExists(kKey + QStringLiteral("\\Sessions")));
    ASSERT_FALSE(
        registry().WriteRegInteger(kKey + QStringLiteral("\\Sessions\\0"), QStringLiteral("v"), 5));
    EXPECT_FALSE(registry().EnsureRegKey(kKey + QStringLiteral("\\sessions\\0")));
    std::int32_t value = 0;
    EXPECT_FALSE(registry().ReadRegInteger(kKey + QStringLiteral("\\Sessions\\0"),
                                           QStringLiteral("v"), value, false));
    EXPECT_EQ(value, 5);
}

TEST_F(RegUtils, InvalidKeyPathsFailWithoutCreatingAnything) {
    for (const char16_t* key :
         {u"Software\\\\Gap", u"Software\\Tab\there", u"Software\\New\nLine"}) {
        SCOPED_TRACE(QString::fromUtf16(key).toStdString());
        const QString path = QString::fromUtf16(key);
        std::int32_t value = 3;
        EXPECT_TRUE(registry().WriteRegInteger(path, QStringLiteral("v"), 1));
        EXPECT_TRUE(registry().EnsureRegKey(path));
        EXPECT_TRUE(registry().ReadRegInteger(path, QStringLiteral("v"), value, true));
        EXPECT_EQ(value, 3);
    }
    QStringList top;
    registry().ListRegSubKeys(QString(), top);
    EXPECT_TRUE(top.isEmpty());
    // A leading or trailing separator is tolerated.
    EXPECT_FALSE(
        registry().WriteRegInteger(QStringLiteral("\\Software\\X\\"), QStringLiteral("v"), 1));
    EXPECT_TRUE(hive().keyExists(QStringLiteral("Software\\X")));
}

// Several calls as one change: each sees the ones before it, and a failure anywhere undoes all.
TEST_F(RegUtils, WritesTogetherLandWholeOrNotAtAll) {
    ASSERT_FALSE(registry().WriteRegInteger(kKey, QStringLiteral("Total"), 1));
    const QString record = kKey + QStringLiteral("\\Sessions\\0");
    QStringList seen;
    EXPECT_TRUE(registry()
                    .WriteRegTogether([&] {
                        registry().WriteRegInteger(kKey, QStringLiteral("Total"), 2);
                        registry().EnsureRegKey(record);
                        registry().ListRegSubKeys(kKey + QStringLiteral("\\Sessions"), seen);
                        registry().WriteRegString(record, QStringLiteral("Start"),
                                                  QStringLiteral("now"));
                    })
                    .ok());
    EXPECT_EQ(seen, QStringList{QStringLiteral("0")});
    EXPECT_EQ(Held(QStringLiteral("Total")), RegValue::ofDword(2));

    const struct {
        const char* what;
        std::function<bool()> failing;
    } failures[] = {
        {"an invalid key path",
         [this] { return registry().WriteRegInteger(QStringLiteral("A\\\\B"), "v", 1); }},
        {"a name too long",
         [this] { return registry().WriteRegInteger(kKey, QString(256, QLatin1Char('n')), 1); }},
        {"a missing value deleted",
         [this] { return registry().DeleteRegValue(kKey, QStringLiteral("None")); }},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.what);
        bool inner = false;
        const StoreResult together = registry().WriteRegTogether([&] {
            registry().WriteRegInteger(kKey, QStringLiteral("Total"), 3);
            registry().DeleteRegKey(record);
            inner = c.failing();
            registry().WriteRegInteger(kKey, QStringLiteral("After"), 4);
        });
        EXPECT_FALSE(together.ok());
        EXPECT_FALSE(together.reason().isEmpty()) << "the failure says why";
        EXPECT_TRUE(inner);
        EXPECT_EQ(Held(QStringLiteral("Total")), RegValue::ofDword(2));
        EXPECT_EQ(Held(QStringLiteral("After")), std::nullopt);
        EXPECT_TRUE(hive().keyExists(record));
    }
    // The hive goes on as before afterwards.
    EXPECT_FALSE(registry().WriteRegInteger(kKey, QStringLiteral("Total"), 5));
    EXPECT_EQ(Held(QStringLiteral("Total")), RegValue::ofDword(5));
}

} // namespace
