#include "config/SkinCollection.h"
#include "config/Skin.h"
#include "config/SkinStyle.h"
#include "support/GoldenFile.h"
#include "support/Scenario.h"
#include "support/SkinFolders.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// A file's name as found in the skin's folder; empty when it is missing.
QString Found(const Skin& skin, const QString& directory, const char* file) {
    const QString path = skin.FilePath(directory, QString::fromLatin1(file));
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

QJsonObject Dump(const Skin& skin, const QString& directory) {
    const SkinStyle style = SkinStyle::Read(skin);
    return {
        {"dir", skin.DirName},
        {"name", skin.DisplayName},
        {"description", skin.Description},
        {"authorName", skin.AuthorName},
        {"authorEmail", skin.AuthorEmail},
        {"authorSite", skin.AuthorSiteURL},
        {"files", QJsonObject{{"borders", Found(skin, directory, Skin::BordersFile)},
                              {"captionBar", Found(skin, directory, Skin::CaptionBarFile)},
                              {"thumb", Found(skin, directory, Skin::ThumbFile)}}},
        {"style", QJsonObject{{"captionLeft", style.CaptionLeft},
                              {"captionRight", style.CaptionRight},
                              {"textColor", style.CaptionTextColor},
                              {"borderWidth", style.BorderWidth}}},
    };
}

// Rescans of a skin directory as scenarios: every case of
// data/cases/skin-rescans.json writes skin folders ("Name": display name, or
// null for a description that does not parse), renames them and scans the
// directory (or a folder in it), each step followed by the skins listed
// ("folder: display name"), what the scan told the user ("{dir}" for the
// directory) and the display name of a skin held since an earlier step.
class SkinRescanTest : public ::testing::Test {
protected:
    void Take(const QJsonObject& step) {
        const QJsonObject written = step["write"].toObject();
        for (auto folder = written.begin(); folder != written.end(); ++folder) {
            SkinFolders::Write(directory, folder.key(),
                               folder->isNull() ? "<NeoCaptionSkin>"
                                                : SkinFolders::Named(folder->toString().toUtf8()));
        }
        const QStringList rename = step["rename"].toVariant().toStringList();
        if (!rename.isEmpty()) {
            ASSERT_TRUE(QDir(directory).rename(rename[0], rename[1]));
        }
        const QJsonObject sync = step["sync"].toObject();
        messages = skins->SyncToDir(QDir(directory).filePath(sync["in"].toString()),
                                    sync["reload"].toBool(), sync["report"].toBool(),
                                    sync["only"].toString());
        if (step.contains("hold"))
            held = skins->FindSkinByDirName(step["hold"].toString());
    }

    QJsonObject Snapshot() const {
        QStringList listed;
        for (const auto& skin : *skins)
            listed.append(skin->DirName + QStringLiteral(": ") + skin->DisplayName);
        return {{"skins", QJsonArray::fromStringList(listed)},
                {"messages", QJsonArray::fromStringList(QStringList(messages).replaceInStrings(
                                 QDir::cleanPath(directory), QStringLiteral("{dir}")))},
                {"held", held ? held->DisplayName : QString()}};
    }

    QTemporaryDir folder;
    QString directory = folder.path();
    std::optional<SkinCollection> skins;
    QStringList messages;
    std::shared_ptr<Skin> held;
};

} // namespace

// Every folder of data/skins, read in one full scan, beside what the scan
// made of it and what it told the user (skins/expected.json).
TEST(SkinCollectionCases, AFullScanReadsEveryFolderAsExpected) {
    const QString directory = TestData::Path(QStringLiteral("skins"));
    SkinCollection skins;
    const QStringList messages = skins.SyncToDir(directory, false, true);
    QJsonArray read;
    for (const auto& skin : skins)
        read.append(Dump(*skin, directory));
    GoldenFile::Check(TestData::Path(QStringLiteral("skins.expected.json")),
                      {{"skins", read}, {"messages", QJsonArray::fromStringList(messages)}},
                      QStringLiteral("skins"), QStringLiteral("config_tests"));

    // Lookups are exact, as the stored choice is.
    ASSERT_NE(skins.FindSkinByDirName(QStringLiteral("Deep")), nullptr);
    EXPECT_EQ(skins.FindSkinByDirName(QStringLiteral("deep")), nullptr);
    EXPECT_EQ(skins.FindSkinByDisplayName(QStringLiteral("Deep Water"))->DirName, "Deep");
    EXPECT_EQ(skins.FindSkinByDisplayName(QStringLiteral("deep water")), nullptr);
}

TEST_F(SkinRescanTest, EveryScenarioLeavesTheSkinsItExpects) {
    Scenario::WalkExpecting(
        QStringLiteral("cases/skin-rescans.json"),
        [this] {
            skins.emplace();
            held.reset();
            QDir(directory).removeRecursively();
        },
        [this](const QJsonObject& step) { Take(step); }, [this] { return Snapshot(); });
}
