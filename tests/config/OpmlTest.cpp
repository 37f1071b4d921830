#include "config/OpmlExport.h"
#include "config/OpmlImport.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/TestData.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What an OPML outline carries of a provider, in list order.
QStringList Outlines(const ProviderCollection& providers) {
    QStringList outlines;
    for (const auto& provider : providers) {
        if (!provider->Protected)
            outlines.append(QStringList{provider->ProviderName, provider->DataURL,
                                        provider->SiteURL, provider->Description,
                                        provider->Category}
                                .join(u'|'));
    }
    return outlines;
}

QStringList CategoryNames(const ProviderCollection& providers) {
    QStringList names;
    for (const auto& category : providers.Categories())
        names.append(category->CategoryName);
    names.sort();
    return names;
}

class OpmlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(source.LoadFile(TestData::Path(QStringLiteral("providers/opml_round_trip.xml")),
                                    nullptr, false));
    }

    QString File(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    ProviderCollection source;
};

} // namespace

// Providers out of category order, a category whose only provider is
// protected and an empty one: an import into an empty list gets everything
// back but the protected provider, in the same order.
TEST_F(OpmlTest, ExportThenImportGivesTheSameList) {
    const OpmlExport::Result exported = OpmlExport::WriteFile(source, File("list.opml"));
    ASSERT_FALSE(exported.Failed()) << exported.Error.toStdString();
    EXPECT_EQ(exported.Text(), "4 providers exported. 1 protected provider was left out.");

    ProviderCollection imported;
    const OpmlImportReport report = OpmlImport(imported).ImportFile(File("list.opml"));
    ASSERT_FALSE(report.Failed()) << report.Error.toStdString();
    EXPECT_EQ(report.Added.size(), 4);
    EXPECT_EQ(Outlines(imported), Outlines(source));
    EXPECT_EQ(CategoryNames(imported), CategoryNames(source));

    QSet<Long> ids;
    for (const auto& provider : imported) {
        EXPECT_TRUE(Provider::IsTemporaryID(provider->UniqueID));
        ids.insert(provider->UniqueID);
    }
    EXPECT_EQ(ids.size(), imported.Count());

    const OpmlImportReport again = OpmlImport(imported).ImportFile(File("list.opml"));
    EXPECT_EQ(again.Added.size(), 0);
    EXPECT_EQ(again.AlreadyPresent.size(), 4);
    EXPECT_EQ(imported.Count(), 4);
}

TEST_F(OpmlTest, AFileThatCannotBeImportedChangesNothing) {
    const QStringList before = Outlines(source);
    const QStringList categoriesBefore = CategoryNames(source);
    OpmlImport import(source);
    for (const QByteArray& bytes :
         {QByteArray("<opml><body><outline text=\"A\" xmlUrl=\"http://a.example/\"/>"),
          QByteArray("<rss><channel/></rss>"), QByteArray()}) {
        EXPECT_TRUE(import.ImportBytes(bytes, QStringLiteral("list.opml")).Failed())
            << bytes.data();
    }
    const OpmlImportReport missing = import.ImportFile(File("none.opml"));
    EXPECT_TRUE(missing.Error.contains("none.opml")) << missing.Error.toStdString();
    EXPECT_TRUE(import.ImportFile(QStringLiteral("/dev/zero")).Error.contains("too large"));
    EXPECT_EQ(Outlines(source), before);
    EXPECT_EQ(CategoryNames(source), categoriesBefore);

    // A failed export leaves no file and says where.
    const QString file = File("missing/list.opml");
    const OpmlExport::Result result = OpmlExport::WriteFile(source, file);
    EXPECT_TRUE(result.Failed());
    EXPECT_TRUE(result.Text().contains(QDir::toNativeSeparators(file)));
    EXPECT_FALSE(QFile::exists(file));
}
