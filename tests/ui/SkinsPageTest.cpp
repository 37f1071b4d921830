#include "ui/SkinsPage.h"
#include "config/Settings.h"
#include "config/SkinCollection.h"
#include "support/ListLines.h"
#include "support/RecordingOpener.h"
#include "support/SkinFolders.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SkinsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const QString name : {"Birch", "Torvane"})
            TestData::CopyFiles(TestData::Bundled("skins/" + name), QDir(directory).filePath(name));
        SkinFolders::Write(directory, "Linked",
                           "<NeoCaptionSkin><name>Linked</name><authoremail>ann@maker.example"
                           "</authoremail><authorsite>https://maker.example/</authorsite>"
                           "</NeoCaptionSkin>");
    }

    QStringList Entries() const { return ListLines(List()); }

    QListWidget& List() const { return *page.findChild<QListWidget*>(QStringLiteral("lstSkins")); }
    QString Label(const char* name) const {
        return page.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    bool HasPicture() const {
        return !page.findChild<QLabel*>(QStringLiteral("imgSkinThumb"))->pixmap().isNull();
    }
    QString Chosen() const {
        Settings settings;
        page.Out(settings);
        return settings.CurrentSkin;
    }
    void Open(const QString& currentSkin) {
        Settings settings;
        settings.CurrentSkin = currentSkin;
        page.In(settings);
        page.Refill();
    }

    QTemporaryDir folder;
    QString directory = folder.path();
    SkinCollection skins;
    QStringList topics;
    RecordingOpener opener;
    SkinsPage page{skins, [this] { return directory; },
                   [this](const QString& topic) { topics.append(topic); },
                   DesktopActions(opener.Opener())};
};

} // namespace

TEST_F(SkinsPageTest, TheDesktopsFrameComesFirstAndTheChoiceIsSelectedOrKept) {
    Open(QStringLiteral("Torvane"));
    EXPECT_EQ(Entries(), QStringList({"Native Skin", "Birch", "Linked", "Torvane"}));
    EXPECT_EQ(List().currentRow(), 3);
    EXPECT_TRUE(Label("lblSkinDescription").startsWith("Varnocet's own skin"));
    EXPECT_TRUE(HasPicture());

    List().setCurrentRow(0);
    EXPECT_EQ(Chosen(), "");
    EXPECT_EQ(Label("lblSkinDescription"), "The desktop's own window frame");
    EXPECT_EQ(Label("lblSkinAuthorName"), "The Varnocet developers");
    List().setCurrentRow(1);
    EXPECT_EQ(Chosen(), "Birch");

    Open(QString());
    EXPECT_EQ(List().currentRow(), 0);

    // The stored choice is kept, with nothing to show for it, until the user
    // picks another entry.
    Open(QStringLiteral("Uninstalled"));
    EXPECT_EQ(List().currentItem(), nullptr);
    EXPECT_EQ(Label("lblSkinDescription"), "");
    EXPECT_FALSE(HasPicture());
    EXPECT_EQ(Chosen(), "Uninstalled");
}

// The links come from a skin's file: a mail address and a web page are
// opened, anything else is not.
TEST_F(SkinsPageTest, TheAuthorsLinksAndTheGuideOpen) {
    Open(QStringLiteral("Linked"));
    const auto activate = [this](const char* label, const char* link) {
        emit page.findChild<QLabel*>(QString::fromLatin1(label))
            ->linkActivated(QString::fromLatin1(link));
    };
    activate("lblSkinAuthorEmail", "ann@maker.example");
    activate("lblSkinAuthorSite", "https://maker.example/");
    activate("lblSkinAuthorSite", "javascript:alert(1)");
    activate("lblSkinAuthorEmail", "ann@maker.example?body=more");
    EXPECT_EQ(opener.Opened,
              QList<QUrl>({QUrl("mailto:ann@maker.example"), QUrl("https://maker.example/")}));
    activate("lnkSkinGuide", "SkinGuide");
    EXPECT_EQ(topics, QStringList{"SkinGuide"});
}

// Each showing of the tab reads the directory: a skin copied there meanwhile
// appears, and one that cannot be read is reported.
TEST_F(SkinsPageTest, ShowingTheTabAgainReadsTheDirectoryAgain) {
    Open(QStringLiteral("Torvane"));
    SkinFolders::Write(directory, "Zeta", SkinFolders::Named("Zeta"));
    SkinFolders::Write(directory, "Broken", "<NeoCaptionSkin>");
    page.Refill();
    EXPECT_EQ(Entries(), QStringList({"Native Skin", "Birch", "Linked", "Torvane", "Zeta"}));
    const auto* box = page.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().startsWith("Cannot load skin from directory Broken."));
}
