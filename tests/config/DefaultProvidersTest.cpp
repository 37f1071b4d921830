#include "config/DefaultProviders.h"
#include "MasterListFixture.h"
#include "config/UpdateReport.h"
#include "model/ProviderCollection.h"
#include "support/FixedTime.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QStringList>

#include <vector>

namespace {

using Colour = UpdateReport::Colour;

class RecordingReport : public UpdateReport {
public:
    void AppendReportLine(const QString& text, Colour colour, bool bold) override {
        Texts.append(text);
        Colours.push_back(colour);
        EXPECT_FALSE(bold);
    }

    QStringList Texts;
    std::vector<Colour> Colours;
};

class DefaultProvidersTest : public MasterListFixture {
protected:
    bool Update(bool doLocal = false, bool failMessage = false) {
        return Update(doLocal, failMessage, Locations());
    }

    bool Update(bool doLocal, bool failMessage, const MasterProviderSet::Locations& locations) {
        return DefaultProviders::AddDefaultProviders(user, &report, failMessage, lastLoad, nullptr,
                                                     doLocal, locations);
    }

    std::shared_ptr<Provider> AddUser(Long id, const QString& name, Long origin,
                                      const QString& category = QStringLiteral("Mine")) {
        auto provider = std::make_shared<Provider>();
        provider->UniqueID = id;
        provider->ProviderName = name;
        provider->Origin = origin;
        provider->Category = category;
        return user.Add(provider);
    }

    QStringList Names() const {
        QStringList names;
        for (const auto& provider : user)
            names.append(provider->ProviderName);
        return names;
    }

    FixedTime now{QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC), QTimeZone::utc()};
    ProviderCollection user;
    RecordingReport report;
    Date lastLoad = Date::Never();
};

} // namespace

TEST_F(DefaultProvidersTest, AFirstRunOfflineTakesEveryProviderFromTheLocalFolder) {
    WriteLocalList(ProviderXml(1, "alpha", "News/World") +
                       ProviderXml(2, "beta", "Science", "<refreshminutes>120</refreshminutes>"),
                   QByteArray());

    EXPECT_TRUE(Update(true, true));

    EXPECT_EQ(Names(), QStringList({"alpha", "beta"}));
    for (const auto& provider : user)
        EXPECT_TRUE(provider->Renewed && provider->BrandNew);
    EXPECT_EQ(user.Item(2)->RefreshMinutes, 120);
    EXPECT_EQ(user.Item(2)->UniqueID, 2);
    EXPECT_GT(user.Categories().LocateCategory(QStringLiteral("News/World")), 0);
    EXPECT_EQ(report.Texts, QStringList({"Added provider alpha in category News/World\n",
                                         "Added provider beta in category Science\n", "\n",
                                         "Update complete!\n"}));
    EXPECT_EQ(report.Colours, std::vector<Colour>({UpdateReport::Blue, UpdateReport::Blue,
                                                   UpdateReport::Black, UpdateReport::Black}));
    EXPECT_EQ(lastLoad, Date::FromParts(2026, 3, 1, 9, 30));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// The statistics, the arrival sound and the category choice belong to the
// user's copy: a provider new from the list starts without them and takes
// every other field the list publishes.
TEST_F(DefaultProvidersTest, ANewProviderTakesWhatTheListPublishes) {
    WriteLocal(QStringLiteral("root.xml"), Index(1));
    WriteLocal(QStringLiteral("bps_1.xml"), TestData::Read("providers/every_field.xml"));
    WriteLocal(QStringLiteral("dps_1.xml"), SetFile(QByteArray(), 1));

    EXPECT_TRUE(Update(true));

    EXPECT_EQ(user.ToBytes(false, true, false),
              TestData::Read("providers/every_field_from_master.xml"));
}

TEST_F(DefaultProvidersTest, AListThatCannotBeLoadedLeavesEverythingAlone) {
    AddUser(5, QStringLiteral("built in"), 0);
    Publish(QStringLiteral("root.xml"), Index(1, "Other"));
    WriteLocalList(ProviderXml(1, "alpha", "News"), QByteArray());

    EXPECT_FALSE(Update(false, true));

    EXPECT_EQ(Names(), QStringList({"built in"}));
    EXPECT_EQ(lastLoad, Date::Never());
    EXPECT_EQ(report.Texts, QStringList({"Update could not be done!\n"}));
    EXPECT_EQ(report.Colours, std::vector<Colour>({UpdateReport::Black}));
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList({"The Master Provider List cannot be \r\nloaded from 127.0.0.1. "
                           "\r\n\r\nPlease try again later."}));
}

// Without a server a missing shipped copy is no passing trouble with a
// network: the user is told where it should be.
TEST_F(DefaultProvidersTest, WithoutAServerOnlyALostShippedCopyFails) {
    WriteBundledList(ProviderXml(1, "alpha", "News"), QByteArray());
    EXPECT_TRUE(Update(false, true, WithoutServer()));
    EXPECT_EQ(Names(), QStringList({"alpha"}));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());

    ASSERT_TRUE(QDir(bundle.filePath(QStringLiteral("Standard"))).removeRecursively());
    ASSERT_TRUE(QDir(cache.filePath(QStringLiteral("Standard"))).removeRecursively());
    report.Texts.clear();
    EXPECT_FALSE(Update(true, true, WithoutServer()));
    EXPECT_EQ(report.Texts, QStringList({"Update could not be done!\n"}));
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList({"The Master Provider List that comes with the program \r\n"
                           "cannot be loaded from " +
                           bundle.filePath(QStringLiteral("Standard")) +
                           ". \r\n\r\nThe installation may be incomplete."}));
    EXPECT_TRUE(server.Requests().isEmpty());
}

TEST_F(DefaultProvidersTest, KeepsRenewedAndUserProvidersAndRemovesWithdrawnBuiltInOnes) {
    AddUser(0, QStringLiteral("typed in"), 1);
    AddUser(1, QStringLiteral("my alpha"), 0)->RefreshMinutes = 240;
    AddUser(0, QStringLiteral("old built in"), 0);
    AddUser(3, QStringLiteral("gamma"), 0);
    AddUser(9, QStringLiteral("imported"), 2);
    PublishList(ProviderXml(1, "alpha", "News") + ProviderXml(2, "beta", "News") +
                    ProviderXml(3, "gamma", "News"),
                "<obsolete uniqueid=\"3\"/>");

    EXPECT_TRUE(Update());

    EXPECT_EQ(Names(), QStringList({"typed in", "my alpha", "imported", "beta"}));
    EXPECT_TRUE(user.Item(2)->Renewed);
    EXPECT_FALSE(user.Item(2)->BrandNew);
    EXPECT_EQ(user.Item(2)->RefreshMinutes, 240);
    EXPECT_EQ(
        report.Texts,
        QStringList({"Added provider beta in category News\n", "\n", "Removed provider gamma\n",
                     "Removed provider old built in\n", "\n", "Update complete!\n"}));
    EXPECT_EQ(report.Colours[2], UpdateReport::Red);
}

TEST_F(DefaultProvidersTest, PublishedChangesLeaveACategoryTheUserChoseAlone) {
    AddUser(1, QStringLiteral("alpha"), 0)->UserCategory = true;
    AddUser(2, QStringLiteral("beta"), 0)->UserCategory = true;
    AddUser(3, QStringLiteral("gamma"), 0);
    PublishList(ProviderXml(1, "alpha", "News") + ProviderXml(2, "beta", "News") +
                    ProviderXml(3, "gamma", "News"),
                "<provider><uniqueid>1</uniqueid><dataurl>https://alpha.example/feed</dataurl>"
                "<category>Elsewhere</category></provider>"
                "<provider><uniqueid>2</uniqueid><category>Elsewhere</category></provider>"
                "<provider><uniqueid>3</uniqueid><category>Science/Space</category></provider>");

    EXPECT_TRUE(Update());

    EXPECT_EQ(user.Item(1)->DataURL, "https://alpha.example/feed");
    EXPECT_EQ(user.Item(1)->Category, "Mine");
    EXPECT_EQ(user.Item(2)->Category, "Mine");
    EXPECT_EQ(user.Item(3)->Category, "Science/Space");
    const qsizetype space = user.Categories().LocateCategory(QStringLiteral("Science/Space"));
    ASSERT_GT(space, 0);
    EXPECT_FALSE(user.Categories().Item(space)->UserDefined);
    EXPECT_EQ(report.Texts,
              QStringList({"Changed properties on provider alpha\n",
                           "Changed properties on provider gamma\n", "\n", "Update complete!\n"}));
    EXPECT_EQ(report.Colours[0], UpdateReport::Magenta);

    // Nothing new the second time.
    report.Texts.clear();
    EXPECT_FALSE(Update());
    EXPECT_EQ(report.Texts, QStringList({"Update complete!\n"}));
}
