// The listed records' names, kept as numbers while they are numbers, keep their order and are
// found where they stand, also once a name of another form makes them texts.
#include "calllog/listed_names.h"

#include <gtest/gtest.h>

namespace dvx::test {
namespace {

TEST(ListedNames, NamesAreFoundWhereTheyStandInEitherForm) {
    const struct {
        const char* name;
        QStringList names;
    } cases[] = {
        {"numbers", {"0", "1", "2", "10", "999999999"}},
        {"a leading zero", {"0", "1", "01", "2"}},
        {"a word last", {"0", "5", "abc"}},
        {"too many digits", {"3", "1234567890"}},
        {"texts from the first", {"x", "y"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListedNames listed;
        for (const QString& name : c.names)
            listed.append(name);
        ASSERT_EQ(listed.size(), c.names.size());
        EXPECT_EQ(listed.last(), c.names.last());
        for (qsizetype at = 0; at < c.names.size(); ++at)
            EXPECT_EQ(listed.indexOf(c.names[at]), at) << c.names[at].toStdString();
        for (const char* absent : {"7", "007", "", "-1", "z"})
            EXPECT_EQ(listed.indexOf(QString::fromLatin1(absent)), -1) << absent;
    }
}

} // namespace
} // namespace dvx::test
