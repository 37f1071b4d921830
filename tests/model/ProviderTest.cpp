#include "model/Provider.h"
#include "model/DataURLScrambler.h"
#include "model/PresentField.h"
#include "platform/KnownFolders.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr Long AllPresentFields = 0x3FFF;

// Serialises a provider element the way the providers file lays it out.
QByteArray Written(const Provider& provider, bool diffOnly, bool dynamic) {
    XmlDocument document;
    XmlNode element = document.AppendChild(provider.AsXML(document, "    ", diffOnly, dynamic));
    element.AppendChild(document.CreateTextNode("  "));
    return document.ToBytes();
}

bool Read(Provider& provider, const QByteArray& xml, bool fixImages = false) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML(xml)) << document.LastParseError().Reason.toStdString();
    return provider.FromXML(document.DocumentElement(), fixImages);
}

QByteArray Element(const QByteArray& children) {
    return "<provider>" + children + "</provider>";
}

void FillEveryField(Provider& provider) {
    provider.ProviderName = "Tech <Daily>";
    provider.UniqueID = 1234;
    provider.Description = "News & views";
    provider.LastUsed = Date::FromParts(2024, 3, 5, 14, 7, 9);
    provider.Active = false;
    provider.UserCategory = true;
    provider.RefreshMinutes = 120;
    provider.BackColor = 16777215;
    provider.DataURL = "http://example.com/rss?a=1&b=2";
    provider.SiteURL = "http://example.com/";
    provider.ImageURL = "http://example.com/logo.gif";
    provider.Category = "Computers/Linux";
    provider.Origin = 2;
    provider.NeedsDetails = true;
    provider.SetIsTextFormat(true);
    provider.UseTitle = true;
    provider.TextFormatSpec = "title\tlink";
    provider.Language = 3;
    provider.AttemptedUpdates = 7;
    provider.SuccessfulUpdates = 5;
    provider.LastLoadDuration = Currency::FromScaled(15000);
    provider.TotalLoadDuration = Currency::FromScaled(122500);
    provider.ArrivalSound = "ding.wav";
}

struct FetchLog {
    int Cancels = 0;
    int CancelledOperations = -1;
    bool Destroyed = false;
};

class FakeFetch : public PendingFetch {
public:
    explicit FakeFetch(FetchLog& log)
        : m_log(log) {}
    ~FakeFetch() override { m_log.Destroyed = true; }
    void Cancel(int cancelledOperations) override {
        ++m_log.Cancels;
        m_log.CancelledOperations = cancelledOperations;
    }

private:
    FetchLog& m_log;
};

} // namespace

// --- Writing ---------------------------------------------------------------

TEST(ProviderTest, FullModeLeavesOutFieldsAtTheirDefaults) {
    Provider provider;
    provider.ProviderName = "Example";
    provider.UniqueID = 42;
    provider.DataURL = "http://example.com/rss";
    EXPECT_EQ(Written(provider, false, false),
              QByteArray("<provider>\r\n"
                         "    <providername>Example</providername>\r\n"
                         "    <uniqueid>42</uniqueid>\r\n"
                         "    <description/>\r\n"
                         "    <backcolor>0</backcolor>\r\n"
                         "    <dataurl>http://example.com/rss</dataurl>\r\n"
                         "    <siteurl/>\r\n"
                         "    <category/>\r\n"
                         "  </provider>"));
}

TEST(ProviderTest, FullModeWritesEveryFieldInOrderWithRunTimeData) {
    Provider provider;
    FillEveryField(provider);
    EXPECT_EQ(Written(provider, false, true),
              QByteArray("<provider>\r\n"
                         "    <providername>Tech &lt;Daily&gt;</providername>\r\n"
                         "    <uniqueid>1234</uniqueid>\r\n"
                         "    <description>News &amp; views</description>\r\n"
                         "    <lastused>3/5/2024 2:07:09 PM</lastused>\r\n"
                         "    <active>False</active>\r\n"
                         "    <usercategory>True</usercategory>\r\n"
                         "    <refreshminutes>120</refreshminutes>\r\n"
                         "    <backcolor>16777215</backcolor>\r\n"
                         "    <dataurl>http://example.com/rss?a=1&amp;b=2</dataurl>\r\n"
                         "    <siteurl>http://example.com/</siteurl>\r\n"
                         "    <imageurl>http://example.com/logo.gif</imageurl>\r\n"
                         "    <category>Computers/Linux</category>\r\n"
                         "    <origin>2</origin>\r\n"
                         "    <needsdetails>True</needsdetails>\r\n"
                         "    <istextformat>True</istextformat>\r\n"
                         "    <usetitle>True</usetitle>\r\n"
                         "    <textformatspec>title\tlink</textformatspec>\r\n"
                         "    <language>3</language>\r\n"
                         "    <attemptedupdates>7</attemptedupdates>\r\n"
                         "    <successfulupdates>5</successfulupdates>\r\n"
                         "    <lastloadduration>1.5</lastloadduration>\r\n"
                         "    <totalloadduration>12.25</totalloadduration>\r\n"
                         "    <arrivalsound>ding.wav</arrivalsound>\r\n"
                         "  </provider>"));
}

TEST(ProviderTest, RunTimeDataOfANeverUsedProviderOmitsEqualCounters) {
    Provider provider;
    provider.AttemptedUpdates = 3;
    provider.SuccessfulUpdates = 3;
    EXPECT_EQ(Written(provider, false, true),
              QByteArray("<provider>\r\n"
                         "    <providername/>\r\n"
                         "    <uniqueid>0</uniqueid>\r\n"
                         "    <description/>\r\n"
                         "    <lastused>12:00:00 AM</lastused>\r\n"
                         "    <backcolor>0</backcolor>\r\n"
                         "    <dataurl/>\r\n"
                         "    <siteurl/>\r\n"
                         "    <category/>\r\n"
                         "    <attemptedupdates>3</attemptedupdates>\r\n"
                         "    <lastloadduration>0</lastloadduration>\r\n"
                         "    <totalloadduration>0</totalloadduration>\r\n"
                         "  </provider>"));
}

TEST(ProviderTest, DiffModeWritesTheUniqueIDAndOnlyThePresentFields) {
    Provider provider;
    FillEveryField(provider);
    provider.PresentFlags = PresentField::DataURL;
    EXPECT_EQ(Written(provider, true, true),
              QByteArray("<provider>\r\n"
                         "    <uniqueid>1234</uniqueid>\r\n"
                         "    <dataurl>http://example.com/rss?a=1&amp;b=2</dataurl>\r\n"
                         "  </provider>"));
}

TEST(ProviderTest, DiffModeWritesPresentFieldsEvenAtTheirDefaults) {
    Provider provider;
    provider.UniqueID = 9;
    provider.PresentFlags = AllPresentFields;
    EXPECT_EQ(Written(provider, true, false),
              QByteArray("<provider>\r\n"
                         "    <providername/>\r\n"
                         "    <uniqueid>9</uniqueid>\r\n"
                         "    <description/>\r\n"
                         "    <refreshminutes>60</refreshminutes>\r\n"
                         "    <backcolor>0</backcolor>\r\n"
                         "    <dataurl/>\r\n"
                         "    <siteurl/>\r\n"
                         "    <category/>\r\n"
                         "    <istextformat>False</istextformat>\r\n"
                         "    <usetitle>False</usetitle>\r\n"
                         "    <textformatspec/>\r\n"
                         "    <language>1</language>\r\n"
                         "    <arrivalsound/>\r\n"
                         "  </provider>"));
}

TEST(ProviderTest, ProtectedDataURLIsWrittenScrambledAndReadsBackUnchanged) {
    Provider provider;
    provider.DataURL = "http://example.com/private.xml";
    provider.Protected = true;
    const QByteArray written = Written(provider, false, false);
    const QString stored = DataURLScrambler::Encode(provider.DataURL);
    EXPECT_TRUE(written.contains("<dataurl>" + stored.toUtf8() + "</dataurl>"));
    EXPECT_FALSE(written.contains("example.com"));

    Provider read;
    EXPECT_TRUE(Read(read, written));
    EXPECT_EQ(read.DataURL, provider.DataURL);
    EXPECT_TRUE(read.Protected);
    EXPECT_EQ(Written(read, false, false), written);
}

// --- Reading ---------------------------------------------------------------

TEST(ProviderTest, ReadingResetsTheDefaultsAndKeepsOtherFields) {
    Provider provider;
    FillEveryField(provider);
    provider.DataType = 3;
    provider.PresentFlags = AllPresentFields;
    EXPECT_TRUE(Read(provider, Element("<uniqueid>5</uniqueid>")));
    EXPECT_EQ(provider.PresentFlags, 0);
    EXPECT_TRUE(provider.Active);
    EXPECT_FALSE(provider.UserCategory);
    EXPECT_EQ(provider.Origin, 0);
    EXPECT_EQ(provider.RefreshMinutes, 60);
    EXPECT_FALSE(provider.NeedsDetails);
    EXPECT_FALSE(provider.IsTextFormat());
    EXPECT_FALSE(provider.UseTitle);
    EXPECT_TRUE(provider.TextFormatSpec.isEmpty());
    EXPECT_EQ(provider.Language, 1);
    EXPECT_TRUE(provider.ArrivalSound.isEmpty());
    EXPECT_EQ(provider.SuccessfulUpdates, provider.AttemptedUpdates);
    EXPECT_EQ(provider.UniqueID, 5);
    EXPECT_EQ(provider.ProviderName, "Tech <Daily>");
    EXPECT_EQ(provider.BackColor, 16777215);
    EXPECT_EQ(provider.DataType, 3);
    EXPECT_EQ(provider.LastUsed, Date::FromParts(2024, 3, 5, 14, 7, 9));
}

TEST(ProviderTest, WrittenElementReadsBackIntoAnEqualProvider) {
    Provider original;
    FillEveryField(original);
    XmlDocument document;
    const XmlNode element = original.AsXML(document, "    ", false, true);

    Provider read;
    // The element as built still has its line-break text nodes.
    EXPECT_TRUE(read.FromXML(element, false));
    EXPECT_EQ(read.Diff(original), 0);
    EXPECT_EQ(read.PresentFlags, AllPresentFields);
    // Every written field, the run-time data included, reads back as it was.
    EXPECT_EQ(Written(read, false, true), Written(original, false, true));
    EXPECT_FALSE(read.Protected);
}

TEST(ProviderTest, ReadsValuesInEveryAcceptedForm) {
    Provider provider;
    EXPECT_TRUE(Read(provider, Element("<active> FALSE </active><usercategory>-1</usercategory>"
                                       "<needsdetails>0</needsdetails>"
                                       "<refreshminutes> 90 </refreshminutes>"
                                       "<lastused>03/05/2024 14:07:09</lastused>"
                                       "<lastloadduration>1,2345</lastloadduration>"
                                       "<totalloadduration>2.5</totalloadduration>")));
    EXPECT_FALSE(provider.Active);
    EXPECT_TRUE(provider.UserCategory);
    EXPECT_FALSE(provider.NeedsDetails);
    EXPECT_EQ(provider.RefreshMinutes, 90);
    EXPECT_EQ(provider.LastUsed, Date::FromParts(2024, 3, 5, 14, 7, 9));
    EXPECT_EQ(provider.LastLoadDuration, Currency::FromScaled(12345));
    EXPECT_EQ(provider.TotalLoadDuration, Currency::FromScaled(25000));

    EXPECT_TRUE(Read(provider, Element("<lastused>12:00:00 AM</lastused>")));
    EXPECT_EQ(provider.LastUsed, Date());
}

TEST(ProviderTest, NoProviderRefreshesMoreOftenThanHourly) {
    Provider provider;
    EXPECT_TRUE(Read(provider, Element("<refreshminutes>15</refreshminutes>")));
    EXPECT_EQ(provider.RefreshMinutes, 60);
    EXPECT_EQ(provider.PresentFlags, PresentField::RefreshMinutes);
    EXPECT_TRUE(Read(provider, Element("<refreshminutes>-5</refreshminutes>")));
    EXPECT_EQ(provider.RefreshMinutes, 60);
    EXPECT_TRUE(Read(provider, Element("<refreshminutes>1440</refreshminutes>")));
    EXPECT_EQ(provider.RefreshMinutes, 1440);
    EXPECT_TRUE(Read(provider, Element("<siteurl/>")));
    EXPECT_EQ(provider.RefreshMinutes, 60);
}

TEST(ProviderTest, MissingSuccessfulUpdatesEqualsAttemptedAndStaysOmitted) {
    Provider provider;
    EXPECT_TRUE(Read(provider, Element("<attemptedupdates>7</attemptedupdates>")));
    EXPECT_EQ(provider.SuccessfulUpdates, 7);
    EXPECT_FALSE(Written(provider, false, true).contains("successfulupdates"));
}

TEST(ProviderTest, TagNamesAreMatchedExactlyAndAPlainDataURLClearsProtected) {
    Provider provider;
    provider.Protected = true;
    EXPECT_TRUE(Read(provider, Element("<ProviderName>Wrong</ProviderName><Extra>x</Extra>"
                                       "<providername>Right</providername>"
                                       "<dataurl>http://example.com/rss</dataurl>")));
    EXPECT_EQ(provider.ProviderName, "Right");
    EXPECT_EQ(provider.DataURL, "http://example.com/rss");
    EXPECT_FALSE(provider.Protected);
    EXPECT_EQ(provider.PresentFlags, PresentField::ProviderName | PresentField::DataURL);
}

TEST(ProviderTest, RelativeImagePathsPointIntoTheDataFolderOnlyWhenAsked) {
    const QByteArray relative = Element("<imageurl>:images/logo.gif</imageurl>");
    Provider provider;
    EXPECT_TRUE(Read(provider, relative, true));
    EXPECT_EQ(provider.ImageURL, KnownFolders::DataFolder() + "/images/logo.gif");
    EXPECT_TRUE(Read(provider, relative, false));
    EXPECT_EQ(provider.ImageURL, ":images/logo.gif");
    EXPECT_TRUE(Read(provider, Element("<imageurl>http://x/a.gif</imageurl>"), true));
    EXPECT_EQ(provider.ImageURL, "http://x/a.gif");
}

// --- Reading damaged elements ---------------------------------------------

TEST(ProviderTest, AnUnreadableValueSpoilsOnlyItsOwnProvider) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<providers>"
                                 "<provider><providername>One</providername>"
                                 "<refreshminutes>120</refreshminutes></provider>"
                                 "<provider><providername>Two</providername>"
                                 "<refreshminutes>abc</refreshminutes></provider>"
                                 "<provider><!-- hand edited --><?pi x?>"
                                 "<providername>Three</providername></provider>"
                                 "</providers>"));
    const QList<XmlNode> elements = document.DocumentElement().ChildNodes();
    ASSERT_EQ(elements.size(), 3);
    Provider providers[3];
    const bool clean[3] = {providers[0].FromXML(elements[0], false),
                           providers[1].FromXML(elements[1], false),
                           providers[2].FromXML(elements[2], false)};
    EXPECT_TRUE(clean[0]);
    EXPECT_FALSE(clean[1]);
    EXPECT_TRUE(clean[2]);
    EXPECT_EQ(providers[0].RefreshMinutes, 120);
    EXPECT_EQ(providers[1].ProviderName, "Two");
    EXPECT_EQ(providers[1].RefreshMinutes, 60);
    // A delta set must not apply a value it could not read.
    EXPECT_EQ(providers[1].PresentFlags, PresentField::ProviderName);
    EXPECT_EQ(providers[2].ProviderName, "Three");
}

TEST(ProviderTest, UnreadableValuesKeepTheirDefaults) {
    Provider provider;
    provider.UniqueID = 77;
    provider.DataURL = "http://old/";
    provider.LastUsed = Date::FromParts(2020, 1, 2);
    EXPECT_FALSE(Read(provider, Element("<uniqueid>x</uniqueid><active>maybe</active>"
                                        "<refreshminutes>99999</refreshminutes>"
                                        "<origin>70000</origin><language>40000</language>"
                                        "<lastused>yesterday</lastused><dataurl>//3G//</dataurl>"
                                        "<lastloadduration>fast</lastloadduration>"
                                        "<description>kept</description>")));
    EXPECT_EQ(provider.UniqueID, 77);
    EXPECT_TRUE(provider.Active);
    EXPECT_EQ(provider.RefreshMinutes, 60);
    EXPECT_EQ(provider.Origin, 0);
    EXPECT_EQ(provider.Language, 1);
    EXPECT_EQ(provider.LastUsed, Date::FromParts(2020, 1, 2));
    EXPECT_EQ(provider.DataURL, "http://old/");
    EXPECT_FALSE(provider.Protected);
    EXPECT_EQ(provider.LastLoadDuration, Currency());
    EXPECT_EQ(provider.Description, "kept");
    EXPECT_EQ(provider.PresentFlags, PresentField::Description);
}

TEST(ProviderTest, TextBetweenChildrenIsReportedButTheChildrenAreRead) {
    Provider provider;
    EXPECT_FALSE(Read(provider, Element("stray<providername>Name</providername>")));
    EXPECT_EQ(provider.ProviderName, "Name");
    EXPECT_TRUE(Read(provider, Element("\r\n  \t<providername>Name</providername>\r\n")));
}

// --- Statistics, identifiers and origins -----------------------------------

TEST(ProviderTest, ResetStatisticsClearsCountersAndDurations) {
    Provider provider;
    FillEveryField(provider);
    provider.ResetStatistics();
    EXPECT_EQ(provider.AttemptedUpdates, 0);
    EXPECT_EQ(provider.SuccessfulUpdates, 0);
    EXPECT_EQ(provider.LastLoadDuration, Currency());
    EXPECT_EQ(provider.TotalLoadDuration, Currency());
    EXPECT_EQ(provider.LastUsed, Date::FromParts(2024, 3, 5, 14, 7, 9));
}

TEST(ProviderTest, TemporaryIDsFollowOneAnotherAndHaveBitsSixteenToThirtySet) {
    const Long first = Provider::NewUniqueProviderID();
    const Long second = Provider::NewUniqueProviderID();
    EXPECT_EQ(second, first + 1);
    EXPECT_GE(first, 2147418112);
    for (const Long id : {first, second, Long{0x7FFF0000}, Long{0x7FFFFFFF}})
        EXPECT_TRUE(Provider::IsTemporaryID(id)) << id;
    for (const Long id : {0x7FFEFFFF, 0, 12345})
        EXPECT_FALSE(Provider::IsTemporaryID(id)) << id;
}

TEST(ProviderTest, OriginTexts) {
    const char* const texts[] = {"Built-in to Varnocet",
                                 "(user-entered)",
                                 "Loaded from www.userland.com",
                                 "Loaded from www.syndic8.com",
                                 "Loaded from www.xmltree.com",
                                 "Built-in as supplied from www.moreover.com",
                                 "Dropped on to Varnocet",
                                 "Loaded from www.groksoup.com",
                                 "Loaded from meerkat.oreillynet.com",
                                 "Created then never filled in (uh oh)",
                                 "Loaded from www.newsisfree.com"};
    for (Long origin = 0; origin < 11; ++origin)
        EXPECT_EQ(Provider::OriginText(origin), texts[origin]) << origin;
    for (const Long unknown : {11, -1, 1000})
        EXPECT_EQ(Provider::OriginText(unknown), "(user-entered)") << unknown;
}

// --- Pending fetches --------------------------------------------------------

TEST(ProviderTest, ChangingTheFormatCallsOffOnlyAnOutstandingStoriesFetch) {
    FetchLog idle;
    Provider provider;
    provider.SetPendingFetch(std::make_unique<FakeFetch>(idle));
    provider.PendingOperations = 4;
    provider.SetIsTextFormat(true);
    EXPECT_EQ(idle.Cancels, 0);
    EXPECT_FALSE(idle.Destroyed);

    FetchLog log;
    provider.SetPendingFetch(std::make_unique<FakeFetch>(log));
    provider.PendingOperations = 2 | 4;
    provider.LoadState = 3;
    provider.SetIsTextFormat(false);
    EXPECT_FALSE(provider.IsTextFormat());
    EXPECT_EQ(log.Cancels, 1);
    EXPECT_EQ(log.CancelledOperations, 2);
    EXPECT_TRUE(log.Destroyed);
    EXPECT_EQ(provider.PendingOperations, 4);
    EXPECT_EQ(provider.LoadState, 3);
}

TEST(ProviderTest, CancellingReportsBothFetchKindsOnceAndReadingCancelsToo) {
    FetchLog log;
    Provider provider;
    provider.SetPendingFetch(std::make_unique<FakeFetch>(log));
    provider.PendingOperations = 1 | 2;
    provider.CancelPendingRequest();
    provider.CancelPendingRequest();
    EXPECT_EQ(log.Cancels, 1);
    EXPECT_EQ(log.CancelledOperations, 3);
    EXPECT_EQ(provider.PendingOperations, 0);

    FetchLog reading;
    provider.SetPendingFetch(std::make_unique<FakeFetch>(reading));
    provider.PendingOperations = 1;
    EXPECT_TRUE(Read(provider, Element("<providername>x</providername>")));
    EXPECT_EQ(reading.Cancels, 1);
}

// --- Stories ----------------------------------------------------------------

TEST(ProviderTest, FindArticleIgnoresLetterCaseAndNeverWraps) {
    Provider provider;
    provider.stCollStories = std::make_shared<StoryCollection>();
    for (const char* title : {"Cat news", "Dog days", "More DOG food", "Birds"})
        provider.stCollStories->Add(title, QString(), QString(), Date(), 0, false);
    struct Case {
        Integer from;
        bool forward;
        const char* match;
        Integer expected;
    };
    const Case cases[] = {
        {0, true, "dog", 2},     {2, true, "DOG", 3},      {3, true, "dog", -1},
        {4, true, "cat", -1},    {5, false, "dog", 3},     {3, false, "dog", 2},
        {2, false, "dog", -1},   {1, false, "birds", -1},  {2, true, "", 3},
        {2, false, "", 1},       {4, true, "", -1},        {1, false, "", -1},
        {-100, true, "dog", 2},  {32767, false, "dog", 3}, {32767, true, "", -1},
        {-32768, false, "", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(provider.FindArticle(c.from, c.forward, c.match), c.expected)
            << c.from << (c.forward ? " forward " : " backward ") << c.match;

    provider.stCollStories = std::make_shared<StoryCollection>();
    EXPECT_EQ(provider.FindArticle(0, true, ""), -1);
    provider.stCollStories.reset();
    EXPECT_EQ(provider.FindArticle(0, true, ""), -1);
}

TEST(ProviderTest, NoProviderGetsAnAttributionHeadlineFromTheBuiltInService) {
    for (const QString& site : {QString(), QStringLiteral("http://example.com/")}) {
        Provider provider;
        provider.SiteURL = site;
        provider.stCollStories = std::make_shared<StoryCollection>();
        provider.PresetStoryCollection();
        EXPECT_EQ(provider.stCollStories->Count(), 0) << site.toStdString();
    }
    Provider withoutStories;
    withoutStories.PresetStoryCollection();
    EXPECT_EQ(withoutStories.stCollStories, nullptr);
}
