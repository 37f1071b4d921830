#include "model/Provider.h"
#include "model/DataURLScrambler.h"
#include "model/PendingOperation.h"
#include "model/PresentField.h"
#include "platform/KnownFolders.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

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

// The provider element as written, one child per line.
QByteArray Layout(std::initializer_list<const char*> children) {
    QByteArray layout = "<provider>\r\n";
    for (const char* child : children)
        layout += QByteArray("    ") + child + "\r\n";
    return layout + "  </provider>";
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

TEST(ProviderTest, FullModeLeavesOutFieldsAtTheirDefaults) {
    Provider provider;
    provider.ProviderName = "Example";
    provider.UniqueID = 42;
    provider.DataURL = "http://example.com/rss";
    EXPECT_EQ(Written(provider, false, false),
              Layout({"<providername>Example</providername>", "<uniqueid>42</uniqueid>",
                      "<description/>", "<backcolor>0</backcolor>",
                      "<dataurl>http://example.com/rss</dataurl>", "<siteurl/>", "<category/>"}));
}

TEST(ProviderTest, FullModeWritesEveryFieldInOrderWithRunTimeData) {
    Provider provider;
    FillEveryField(provider);
    EXPECT_EQ(Written(provider, false, true),
              Layout({"<providername>Tech &lt;Daily&gt;</providername>",
                      "<uniqueid>1234</uniqueid>",
                      "<description>News &amp; views</description>",
                      "<lastused>3/5/2024 2:07:09 PM</lastused>",
                      "<active>False</active>",
                      "<usercategory>True</usercategory>",
                      "<refreshminutes>120</refreshminutes>",
                      "<backcolor>16777215</backcolor>",
                      "<dataurl>http://example.com/rss?a=1&amp;b=2</dataurl>",
                      "<siteurl>http://example.com/</siteurl>",
                      "<imageurl>http://example.com/logo.gif</imageurl>",
                      "<category>Computers/Linux</category>",
                      "<origin>2</origin>",
                      "<needsdetails>True</needsdetails>",
                      "<istextformat>True</istextformat>",
                      "<usetitle>True</usetitle>",
                      "<textformatspec>title\tlink</textformatspec>",
                      "<language>3</language>",
                      "<attemptedupdates>7</attemptedupdates>",
                      "<successfulupdates>5</successfulupdates>",
                      "<lastloadduration>1.5</lastloadduration>",
                      "<totalloadduration>12.25</totalloadduration>",
                      "<arrivalsound>ding.wav</arrivalsound>"}));
}

TEST(ProviderTest, DiffModeWritesTheUniqueIDAndThePresentFieldsEvenAtTheirDefaults) {
    Provider provider;
    FillEveryField(provider);
    provider.PresentFlags = PresentField::DataURL;
    EXPECT_EQ(Written(provider, true, true),
              Layout({"<uniqueid>1234</uniqueid>",
                      "<dataurl>http://example.com/rss?a=1&amp;b=2</dataurl>"}));

    Provider defaults;
    defaults.UniqueID = 9;
    defaults.PresentFlags = AllPresentFields;
    EXPECT_EQ(Written(defaults, true, false),
              Layout({"<providername/>", "<uniqueid>9</uniqueid>", "<description/>",
                      "<refreshminutes>60</refreshminutes>", "<backcolor>0</backcolor>",
                      "<dataurl/>", "<siteurl/>", "<category/>",
                      "<istextformat>False</istextformat>", "<usetitle>False</usetitle>",
                      "<textformatspec/>", "<language>1</language>", "<arrivalsound/>"}));
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

TEST(ProviderTest, ReadingResetsTheDefaultsAndKeepsOtherFields) {
    Provider provider;
    FillEveryField(provider);
    provider.DataType = 3;
    provider.PresentFlags = AllPresentFields;
    EXPECT_TRUE(Read(provider, Element("<uniqueid>5</uniqueid>")));
    EXPECT_EQ(provider.PresentFlags, 0);
    EXPECT_EQ(provider.DataType, 3);
    // The full layout leaves out every field back at its default; successful
    // updates, not read, equal the attempted again.
    EXPECT_EQ(
        Written(provider, false, true),
        Layout({"<providername>Tech &lt;Daily&gt;</providername>", "<uniqueid>5</uniqueid>",
                "<description>News &amp; views</description>",
                "<lastused>3/5/2024 2:07:09 PM</lastused>", "<backcolor>16777215</backcolor>",
                "<dataurl>http://example.com/rss?a=1&amp;b=2</dataurl>",
                "<siteurl>http://example.com/</siteurl>",
                "<imageurl>http://example.com/logo.gif</imageurl>",
                "<category>Computers/Linux</category>", "<attemptedupdates>7</attemptedupdates>",
                "<lastloadduration>1.5</lastloadduration>",
                "<totalloadduration>12.25</totalloadduration>"}));
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
    // In this order: the last element, without an interval, must not keep
    // the one read before.
    const std::pair<const char*, Integer> cases[] = {
        {"<refreshminutes>15</refreshminutes>", 60},
        {"<refreshminutes>-5</refreshminutes>", 60},
        {"<refreshminutes>1440</refreshminutes>", 1440},
        {"<siteurl/>", 60},
    };
    Provider provider;
    for (const auto& [children, minutes] : cases) {
        EXPECT_TRUE(Read(provider, Element(children)));
        EXPECT_EQ(provider.RefreshMinutes, minutes) << children;
    }
    EXPECT_TRUE(Read(provider, Element("<refreshminutes>15</refreshminutes>")));
    EXPECT_EQ(provider.PresentFlags, PresentField::RefreshMinutes);
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

TEST(ProviderTest, UnreadableValuesKeepTheirDefaults) {
    Provider provider;
    provider.UniqueID = 77;
    provider.DataURL = "http://old/";
    provider.LastUsed = Date::FromParts(2020, 1, 2);
    // A delta set must not apply a value it could not read.
    EXPECT_FALSE(Read(provider, Element("<uniqueid>x</uniqueid><active>maybe</active>"
                                        "<refreshminutes>abc</refreshminutes>"
                                        "<refreshminutes>99999</refreshminutes>"
                                        "<origin>70000</origin><language>40000</language>"
                                        "<lastused>yesterday</lastused><dataurl>//3G//</dataurl>"
                                        "<lastloadduration>fast</lastloadduration>"
                                        "<description>kept</description>")));
    EXPECT_EQ(provider.PresentFlags, PresentField::Description);
    // Each unreadable value is left as it was: at its default, or at the
    // earlier value for the fields reading does not reset.
    EXPECT_EQ(
        Written(provider, false, true),
        Layout({"<providername/>", "<uniqueid>77</uniqueid>", "<description>kept</description>",
                "<lastused>1/2/2020</lastused>", "<backcolor>0</backcolor>",
                "<dataurl>http://old/</dataurl>", "<siteurl/>", "<category/>",
                "<attemptedupdates>0</attemptedupdates>", "<lastloadduration>0</lastloadduration>",
                "<totalloadduration>0</totalloadduration>"}));
}

TEST(ProviderTest, TextBetweenChildrenIsReportedButTheChildrenAreRead) {
    Provider provider;
    EXPECT_FALSE(Read(provider, Element("stray<providername>Name</providername>")));
    EXPECT_EQ(provider.ProviderName, "Name");
    // White space, comments and instructions are no stray text.
    EXPECT_TRUE(Read(provider, Element("\r\n  \t<!-- hand edited --><?pi x?>"
                                       "<providername>Name</providername>\r\n")));
}

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

TEST(ProviderTest, OriginTextsNameTheSourceAndUnknownOnesReadAsUserEntered) {
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
    provider.PendingOperations = PendingOperation::Details | 4;
    provider.LoadState = 3;
    provider.SetIsTextFormat(false);
    EXPECT_FALSE(provider.IsTextFormat());
    EXPECT_EQ(log.Cancels, 1);
    EXPECT_EQ(log.CancelledOperations, PendingOperation::Details);
    EXPECT_TRUE(log.Destroyed);
    EXPECT_EQ(provider.PendingOperations, 4);
    EXPECT_EQ(provider.LoadState, 3);
}

TEST(ProviderTest, CancellingReportsBothFetchKindsOnceAndReadingCancelsToo) {
    FetchLog log;
    Provider provider;
    provider.SetPendingFetch(std::make_unique<FakeFetch>(log));
    provider.PendingOperations = PendingOperation::StoriesAndDetails;
    provider.CancelPendingRequest();
    provider.CancelPendingRequest();
    EXPECT_EQ(log.Cancels, 1);
    EXPECT_EQ(log.CancelledOperations, PendingOperation::StoriesAndDetails);
    EXPECT_EQ(provider.PendingOperations, 0);

    FetchLog reading;
    provider.SetPendingFetch(std::make_unique<FakeFetch>(reading));
    provider.PendingOperations = PendingOperation::Stories;
    EXPECT_TRUE(Read(provider, Element("<providername>x</providername>")));
    EXPECT_EQ(reading.Cancels, 1);
}

TEST(ProviderTest, FindArticleIgnoresLetterCaseAndNeverWraps) {
    Provider provider;
    provider.stCollStories = std::make_shared<StoryCollection>();
    for (const char* title : {"Cat news", "Dog days", "More DOG food", "Birds"})
        provider.stCollStories->Add(title, QString(), QString(), Date(), 0, false);
    struct Case {
        qsizetype from;
        bool forward;
        const char* match;
        qsizetype expected;
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
    Provider provider;
    provider.PresetStoryCollection(); // no stories to preset
    EXPECT_EQ(provider.stCollStories, nullptr);
    provider.SiteURL = "http://example.com/";
    provider.stCollStories = std::make_shared<StoryCollection>();
    provider.PresetStoryCollection();
    EXPECT_EQ(provider.stCollStories->Count(), 0);
}
