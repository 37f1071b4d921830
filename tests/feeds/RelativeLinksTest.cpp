#include "feeds/FeedIntake.h"
#include "feeds/QuietIntakeEnvironment.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/XmlDocument.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QUrl Address(QStringLiteral("http://example.org/feeds/a.xml"));

// A provider after its details and stories were read from a document
// fetched from `address`, as the program reads them.
class RelativeLinksTest : public ::testing::Test {
protected:
    FixedTime fixedTime{QDateTime(QDate(2026, 1, 10), QTime(12, 0), Qt::UTC), QTimeZone::utc()};

    void Read(const QString& document, const QUrl& address) {
        XmlDocument xml;
        ASSERT_TRUE(xml.LoadXML(TestData::Read("feeds/" + document), XmlDocument::Malformed::Refuse,
                                address));
        provider = std::make_unique<Provider>();
        provider->Stories = std::make_shared<StoryCollection>();
        provider->PendingOperations = PendingOperation::StoriesAndDetails;
        QuietIntakeEnvironment environment;
        FeedIntake::GrabProviderDetailsXMLComplete(*provider, xml, environment);
        FeedIntake::GrabStoriesXMLComplete(*provider, xml, environment);
    }

    std::unique_ptr<Provider> provider;
};

} // namespace

// Links made absolute share the site's address, which the collection keeps
// once for all its stories.
TEST_F(RelativeLinksTest, ResolvedLinksShareTheirPrefix) {
    Read("rss/relative-links-rdf.xml", Address);

    EXPECT_EQ(provider->Stories->CommonPrefix(), "http://example.org/");
    EXPECT_EQ(provider->Stories->Item(2).PartialURL, "events");
}
