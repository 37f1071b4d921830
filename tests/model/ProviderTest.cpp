// How each stored field is read and written is shown by the providers files
// under data/providers beside their expected reports; here what a file read
// into fresh providers cannot show.
#include "model/Provider.h"
#include "model/PresentField.h"
#include "model/ProviderCollection.h"
#include "platform/KnownFolders.h"
#include "platform/XmlDocument.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

bool Read(Provider& provider, const QByteArray& children, bool fixImages = false) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML("<provider>" + children + "</provider>"));
    return provider.FromXML(document.DocumentElement(), fixImages);
}

QByteArray Written(const Provider& provider) {
    XmlDocument document;
    document.AppendChild(provider.AsXML(document, " ", false, true));
    return document.ToBytes();
}

} // namespace

// A provider read again over itself: the fields reading resets go back to
// their defaults, the others keep their values, also where the element's
// value cannot be read; a delta must not apply a value it could not read.
TEST(ProviderTest, ReadingOverAProviderResetsTheDefaultsAndKeepsTheRest) {
    // every_field.xml holds each stored field away from its default.
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(TestData::Path("providers/every_field.xml"), nullptr, false));
    const auto provider = providers.Item(1);
    provider->DataType = 3;
    EXPECT_FALSE(Read(*provider, "<uniqueid>x</uniqueid><lastused>yesterday</lastused>"
                                 "<dataurl>//3G//</dataurl><category>Moved</category>"));
    EXPECT_EQ(provider->PresentFlags, PresentField::Category);
    EXPECT_EQ(provider->DataType, 3);
    EXPECT_EQ(Written(*provider),
              "<provider>\r\n <providername>Kernel &amp; Co &lt;daily&gt;</providername>\r\n"
              " <uniqueid>1002</uniqueid>\r\n"
              " <description>Every field away from its default</description>\r\n"
              " <lastused>3/14/2026 9:26:53 PM</lastused>\r\n <backcolor>255</backcolor>\r\n"
              " <dataurl>//0301117E011C105D04241E1F040C0B4F38121D07041662554E02150139//"
              "</dataurl>\r\n <siteurl>http://secret.example/</siteurl>\r\n"
              " <imageurl>http://secret.example/logo.png</imageurl>\r\n"
              " <category>Moved</category>\r\n <attemptedupdates>9</attemptedupdates>\r\n"
              " <lastloadduration>1.5</lastloadduration>\r\n"
              " <totalloadduration>12.25</totalloadduration>\r\n</provider>");
    // Resetting the statistics clears the counters and durations only.
    const Date lastUsed = provider->LastUsed;
    provider->ResetStatistics();
    EXPECT_EQ(provider->AttemptedUpdates, 0);
    EXPECT_EQ(provider->SuccessfulUpdates, 0);
    EXPECT_EQ(provider->LastLoadDuration, Currency());
    EXPECT_EQ(provider->TotalLoadDuration, Currency());
    EXPECT_EQ(provider->LastUsed, lastUsed);
    EXPECT_TRUE(Read(*provider, "<dataurl>http://example.com/rss</dataurl>"));
    EXPECT_FALSE(provider->Protected);
}

TEST(ProviderTest, RelativeImagePathsPointIntoTheDataFolderOnlyWhenAsked) {
    Provider provider;
    EXPECT_TRUE(Read(provider, "<imageurl>:images/logo.gif</imageurl>", true));
    EXPECT_EQ(provider.ImageURL, KnownFolders::DataFolder() + "/images/logo.gif");
    EXPECT_TRUE(Read(provider, "<imageurl>:images/logo.gif</imageurl>", false));
    EXPECT_EQ(provider.ImageURL, ":images/logo.gif");
    EXPECT_TRUE(Read(provider, "<imageurl>http://x/a.gif</imageurl>", true));
    EXPECT_EQ(provider.ImageURL, "http://x/a.gif");
}

TEST(ProviderTest, TemporaryIDsAndOriginTexts) {
    const Long first = Provider::NewUniqueProviderID();
    const Long second = Provider::NewUniqueProviderID();
    EXPECT_EQ(second, first + 1);
    EXPECT_GE(first, 2147418112);
    for (const Long id : {first, second, Long{0x7FFF0000}, Long{0x7FFFFFFF}})
        EXPECT_TRUE(Provider::IsTemporaryID(id)) << id;
    for (const Long id : {0x7FFEFFFF, 0, 12345})
        EXPECT_FALSE(Provider::IsTemporaryID(id)) << id;

    // Origins beyond the known ones read as user-entered.
    EXPECT_EQ(Provider::OriginText(1), "(user-entered)");
    EXPECT_EQ(Provider::OriginText(10), "Loaded from www.newsisfree.com");
    for (const Long unknown : {11, -1, 1000})
        EXPECT_EQ(Provider::OriginText(unknown), "(user-entered)") << unknown;
}
