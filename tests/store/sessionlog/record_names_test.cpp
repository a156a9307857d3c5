// Which name a new record gets, and in which order the records are listed.
#include "store/sessionlog/record_names.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

QStringList Names(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names)
        list.append(QString::fromLatin1(name));
    return list;
}

TEST(RecordNames, ANewRecordTakesTheCountOrTheNextFreeNumberUpward) {
    const struct {
        QStringList existing;
        const char* name;
    } cases[] = {
        {{}, "0"},
        {Names({"0", "1", "2"}), "3"},
        {Names({"0", "2"}), "3"},            // "2" exists: the count is taken
        {Names({"1", "2", "3"}), "4"},       // record "0" was removed from outside
        {Names({"2", "3", "4", "5"}), "6"},  // a reset left four records behind
        {Names({"0", "1", "10", "3"}), "4"}, // a gap below the count stays a gap
        {Names({"x", "y"}), "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.existing.join(',').toStdString());
        EXPECT_EQ(FreeRecordName(c.existing), c.name);
    }
}

TEST(RecordNames, RecordsAreListedInTheOrderTheyWereMade) {
    const struct {
        QStringList stored; // as the hive enumerates them, in text order
        QStringList listed;
    } cases[] = {
        {{}, {}},
        {Names({"0", "1", "10", "2", "3", "4", "5", "6", "7", "8", "9"}),
         Names({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"})},
        {Names({"100", "99"}), Names({"99", "100"})},
        {Names({"0", "Old", "2", "abc", "10"}), Names({"0", "2", "10", "abc", "Old"})},
        {Names({"07", "7"}), Names({"7", "07"})},
        {Names({"99999999999999999999", "5"}), Names({"5", "99999999999999999999"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.join(',').toStdString());
        EXPECT_EQ(InRecordOrder(c.stored), c.listed);
    }
}

} // namespace
} // namespace dvx
