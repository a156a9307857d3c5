// A stored session keeps its three texts together and gives each back as it was given, also
// after its description changes or its row stops early.
#include "metering/stored_session.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(StoredSession, EachTextComesBackAsItWasGivenWhateverIsDoneToTheOthers) {
    const struct {
        const char* name;
        QString start, description, cost;
    } cases[] = {
        {"plain", "03/03/2026 12:00:00", "Dial-up", "£0.42"},
        {"empty texts", "", "", ""},
        {"beyond one byte a character", "٠٣/٠٣/٢٠٢٦ ١٢:٠٠", "Łódź café € 日本 😀", "₹1,23,456.78"},
        {"a long description", "03/03/2026", QString(5000, QLatin1Char('d')), "-£0.05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoredSession session(c.start, c.description, 61, c.cost);
        EXPECT_EQ(session.start(), c.start);
        EXPECT_EQ(session.description(), c.description);
        EXPECT_EQ(session.cost(), c.cost);
        EXPECT_EQ(session.seconds(), 61);

        session.setDescription(QStringLiteral("answered ✓"));
        EXPECT_EQ(session, StoredSession(c.start, QStringLiteral("answered ✓"), 61, c.cost));

        StoredSession beforeCost = session;
        beforeCost.stopBeforeCost();
        EXPECT_EQ(beforeCost, StoredSession(c.start, QStringLiteral("answered ✓"), 61, {}));
        session.stopBeforeDuration();
        EXPECT_EQ(session, StoredSession(c.start, QStringLiteral("answered ✓"), std::nullopt, {}));
    }
}

} // namespace
} // namespace dvx
