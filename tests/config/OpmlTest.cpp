#include "config/OpmlExport.h"
#include "config/OpmlImport.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/TestData.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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

// That export and import bring the feeds back is shown through the
// settings dialog's buttons (OpmlCommandsTest); here what fails.
TEST_F(OpmlTest, AFileThatCannotBeImportedChangesNothing) {
    const QByteArray before = source.ToBytes(false, true, true);
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
    EXPECT_EQ(source.ToBytes(false, true, true), before);

    // A failed export leaves no file and says where.
    const QString file = File("missing/list.opml");
    const OpmlExport::Result result = OpmlExport::WriteFile(source, file);
    EXPECT_TRUE(result.Failed());
    EXPECT_TRUE(result.Text().contains(QDir::toNativeSeparators(file)));
    EXPECT_FALSE(QFile::exists(file));
}
