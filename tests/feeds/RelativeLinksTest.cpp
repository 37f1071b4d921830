#include "feeds/FeedIntake.h"
#include "feeds/QuietIntakeEnvironment.h"
#include "model/Provider.h"
#include "platform/XmlDocument.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <QStringList>
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
        ASSERT_TRUE(xml.LoadXML(TestData::Read("feeds/" + document), address));
        provider = std::make_unique<Provider>();
        provider->stCollStories = std::make_shared<StoryCollection>();
        provider->PendingOperations = 3;
        QuietIntakeEnvironment environment;
        FeedIntake::GrabProviderDetailsXMLComplete(*provider, xml, environment);
        FeedIntake::GrabStoriesXMLComplete(*provider, xml, environment);
    }
    QStringList Links() const {
        QStringList links;
        for (Integer i = 1; i <= provider->stCollStories->Count(); ++i)
            links.append(provider->stCollStories->ItemURL(i));
        return links;
    }

    std::unique_ptr<Provider> provider;
};

} // namespace

TEST_F(RelativeLinksTest, StorySiteAndImageLinksAreStoredAbsolute) {
    const struct {
        const char* document;
        QString site;
        QString image;
        QStringList stories;
    } cases[] = {
        {"rss/relative-links.xml",
         "http://example.org/",
         "http://example.org/feeds/images/logo.png",
         {"http://example.org/entry/3", "http://x/y/b.html",
          "http://example.org/feeds/archive/2024/c.html?plot=7#notes",
          "HTTPS://Other.example/Seed%20Swap", "https://example.org/entry/1"}},
        {"rss/relative-links-rdf.xml",
         "http://example.org/notes/",
         "http://example.org/notes/logo.png",
         {"http://example.org/notes/2026/01/compost", "http://example.org/events"}},
        {"atom/relative-links.xml",
         "http://example.org/journal/",
         "",
         {"http://example.org/journal/2026/lock-gates", "http://x/y/b.html", "http://x/y/a.html",
          "http://mirror.example/w/kingfisher", "https://other.example/boats"}},
        {"scriptingnews/relative-links.xml",
         "http://example.org/",
         "",
         {"http://example.org/2026/01/aerial"}},
        {"backslash/relative-links.xml",
         "",
         "",
         {"http://news.example.org/article.pl?sid=26/01/05/0900001"}},
    };
    for (const auto& c : cases) {
        Read(c.document, Address);
        EXPECT_EQ(provider->SiteURL, c.site) << c.document;
        EXPECT_EQ(provider->ImageURL, c.image) << c.document;
        EXPECT_EQ(Links(), c.stories) << c.document;
    }
}

TEST_F(RelativeLinksTest, WithoutAnAddressOnlyAbsoluteBasesResolve) {
    Read("rss/relative-links.xml", QUrl());

    EXPECT_EQ(provider->SiteURL, "/");
    EXPECT_EQ(provider->ImageURL, "images/logo.png");
    const QStringList links = Links();
    ASSERT_EQ(links.size(), 5);
    EXPECT_EQ(links[0], "/entry/3");
    EXPECT_EQ(links[1], "http://x/y/b.html");
    EXPECT_EQ(links[2], "../2024/c.html?plot=7#notes");
}

// Links made absolute share the site's address, which the collection keeps
// once for all its stories.
TEST_F(RelativeLinksTest, ResolvedLinksShareTheirPrefix) {
    Read("rss/relative-links-rdf.xml", Address);

    EXPECT_EQ(provider->stCollStories->CommonPrefix(), "http://example.org/");
    EXPECT_EQ(provider->stCollStories->Item(2).PartialURL, "events");
}
