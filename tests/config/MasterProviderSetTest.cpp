#include "config/MasterProviderSet.h"
#include "MasterListFixture.h"
#include "platform/KnownFolders.h"
#include "support/EnvironmentVariable.h"

#include <QFile>
#include <QSet>
#include <QStringList>
#include <QUrl>

namespace {

class MasterProviderSetTest : public MasterListFixture {
protected:
    bool Load(bool local = false) {
        master.SetProviderRoot(QStringLiteral("Standard"));
        return master.Load(true, nullptr, local);
    }

    QStringList Names() const {
        QStringList names;
        for (qsizetype i = 1; i <= master.GetProviderCount(); ++i)
            names.append(master.GetProvider(i)->ProviderName);
        return names;
    }

    MasterProviderSet master{Locations()};
};

} // namespace

TEST_F(MasterProviderSetTest, AnUnusableIndexFailsTheLoad) {
    WriteList(cache.path(), ProviderXml(1, "alpha", "News"), QByteArray(), 1);
    for (const QStringList& row : TestData::Table("tables/unusable_index.tsv")) {
        Publish(QStringLiteral("root.xml"), row[1].toUtf8());
        EXPECT_FALSE(Load(false)) << row[0].toStdString();
    }
}

TEST_F(MasterProviderSetTest, FetchesADeltaOnlyWhenTheIndexAnnouncesANewerOne) {
    PublishList(ProviderXml(1, "alpha", "News"), QByteArray(), 2);
    for (const QStringList& row : TestData::Table("tables/delta_fetch.tsv")) {
        QFile::remove(LocalFile("dps_1.xml"));
        if (row[0] != u"(none)")
            WriteLocal(QStringLiteral("dps_1.xml"), row[0].toUtf8());
        const int before = server.RequestCount("/Standard/dps_1.xml");
        EXPECT_TRUE(Load()) << row[0].toStdString();
        EXPECT_EQ(server.RequestCount("/Standard/dps_1.xml") - before, row[1].toInt())
            << row[0].toStdString();
    }
}

// A mirror, or a copy of the list served while it is being tested; the base
// gets its closing "/" when it lacks one.
TEST_F(MasterProviderSetTest, TheEnvironmentNamesTheServer) {
    PublishList(ProviderXml(1, "alpha", "News"), {});
    const QString base = server.Url(QStringLiteral("/")).toString();
    const struct {
        QByteArray variable;
        QString serverBase;
    } cases[] = {{base.chopped(1).toUtf8(), base}, {base.toUtf8(), base}, {"", QString()}};
    for (const auto& c : cases) {
        const EnvironmentVariable variable("VARNOCET_MASTER_LIST_URL", c.variable);
        MasterProviderSet::Locations locations = MasterProviderSet::DefaultLocations();
        EXPECT_EQ(locations.ServerBase, c.serverBase) << c.variable.constData();
        EXPECT_EQ(locations.CacheFolder, KnownFolders::Cache());
        EXPECT_EQ(locations.BundledFolder, KnownFolders::DataFolder());
        if (!locations.HasServer())
            continue;
        locations.CacheFolder = cache.path();
        const int before = server.RequestCount("/Standard/root.xml");
        master = MasterProviderSet(locations);
        EXPECT_TRUE(Load()) << c.variable.constData();
        EXPECT_EQ(server.RequestCount("/Standard/root.xml") - before, 1);
    }
}

TEST_F(MasterProviderSetTest, DeltaSetVersion) {
    for (const QStringList& row : TestData::Table("tables/delta_set_version.tsv")) {
        QFile::remove(LocalFile("dps_1.xml"));
        if (row[0] != u"(none)")
            WriteLocal(QStringLiteral("dps_1.xml"), row[0].toUtf8());
        EXPECT_EQ(MasterProviderSet::GetDeltaSetVersion(LocalFile("dps_1.xml")), row[1].toInt())
            << row[0].toStdString();
    }
}

TEST(BundledMasterList, IsAUsableCatalogue) {
    const QString folder = KnownFolders::DataFolder() + QStringLiteral("/Standard/");
    ProviderCollection base;
    ASSERT_TRUE(base.LoadFile(folder + "bps_1.xml", nullptr, false));
    EXPECT_EQ(base.ToBytes(false, false, true), TestData::ReadFile(folder + "bps_1.xml"));
    EXPECT_GE(base.Count(), 30);
    QSet<Long> ids;
    for (const auto& provider : base) {
        EXPECT_TRUE(provider->UniqueID > 0 && !Provider::IsTemporaryID(provider->UniqueID))
            << provider->ProviderName.toStdString();
        ids.insert(provider->UniqueID);
        const QString scheme = QUrl(provider->DataURL).scheme();
        EXPECT_TRUE(scheme == "https" || scheme == "http") << provider->ProviderName.toStdString();
        EXPECT_FALSE(provider->Category.isEmpty()) << provider->ProviderName.toStdString();
        EXPECT_EQ(provider->Origin, 0);
        EXPECT_GE(provider->RefreshMinutes, 60);
    }
    EXPECT_EQ(ids.size(), base.Count());

    ProviderCollection delta;
    ASSERT_TRUE(delta.LoadFile(folder + "dps_1.xml", nullptr, false));
    EXPECT_EQ(delta.ToBytes(true, false, true), TestData::ReadFile(folder + "dps_1.xml"));
    for (const auto& change : delta)
        EXPECT_GT(base.LocateProviderByUniqueID(change->UniqueID), 0);
    EXPECT_EQ(TestData::ReadFile(folder + "root.xml"),
              "<providerset name=\"Standard\" count=\"1\">\r\n  <czb n=\"1\" v=\"" +
                  QByteArray::number(delta.Version) + "\"/>\r\n</providerset>\r\n");
}
