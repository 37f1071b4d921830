#include "ui/DesktopActions.h"
#include "support/RecordingMessageBox.h"
#include "support/RecordingOpener.h"
#include "support/TestData.h"

#include <QJsonValue>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Which links are opened is the link policy's (tables/link-policy.json); that
// Return on a story opens it is walked through the main window
// (tests/data/main-window/article-grid).

// The help the program finds beside itself (here: the build tree's data
// folder) has the section the main window opens it at.
TEST(DesktopActionsTest, HelpOpensTheInstalledPageAtTheTopicsSection) {
    RecordingOpener opener;
    const DesktopActions actions(opener.Opener());
    EXPECT_TRUE(actions.ShowHelp("MainWindow"));
    ASSERT_EQ(opener.Opened.size(), 1);
    const QUrl page = opener.Opened.first();
    ASSERT_TRUE(page.isLocalFile()) << page.toString().toStdString();
    EXPECT_TRUE(page.toLocalFile().endsWith("/help/index.html"));
    EXPECT_EQ(page.fragment(), "MainWindow");
    EXPECT_TRUE(TestData::ReadFile(page.toLocalFile()).contains("id=\"MainWindow\""));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// Each way the help can fail to show, and what the user is told.
TEST(DesktopActionsTest, HelpThatCannotBeShownIsReported) {
    QTemporaryDir folder;
    TestData::Write(folder.filePath("index.html"), "");
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/help-failures.json"))) {
        SCOPED_TRACE(c["what"].toString().toStdString());
        RecordingMessageBox::Instance().Texts.clear();
        RecordingOpener opener;
        const DesktopActions actions(
            opener.Opener(c["opens"].toBool()),
            {c["helpFile"].toString().replace("{tmp}", folder.path()), QString()});
        EXPECT_FALSE(actions.ShowHelp("MainWindow"));
        EXPECT_EQ(opener.Opened.size(), c["openings"].toInt());
        const QStringList& texts = RecordingMessageBox::Instance().Texts;
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts.first().contains(c["message"].toString())) << texts.first().toStdString();
    }
}

TEST(DesktopActionsTest, MailKeepsSubjectAndLinkWholeAndNamesTheHomePageOnlyWhenThereIsOne) {
    const QString link = "%0D%0Ahttp%3A%2F%2Fx%2F%3Fa%3D1%26b%3D2%0D%0A";
    const struct {
        QString homePage;
        QString ending;
    } cases[] = {
        {QString(), "-----%0D%0AFound%20using%20Varnocet"},
        {"https://home.example/",
         "Found%20using%20Varnocet%0D%0A%28https%3A%2F%2Fhome.example%2F%29"},
    };
    for (const auto& c : cases) {
        const DesktopActions actions({}, {QString(), c.homePage});
        EXPECT_EQ(actions.HomePage(), c.homePage);
        const QString mail = actions.MailLink("http://x/?a=1&b=2", "Caf\u00e9 & co #1", "Title")
                                 .toString(QUrl::FullyEncoded);
        EXPECT_TRUE(mail.startsWith("mailto:?subject=Caf%C3%A9%20%26%20co%20%231&body="))
            << mail.toStdString();
        EXPECT_TRUE(mail.contains(link)) << mail.toStdString();
        EXPECT_TRUE(mail.endsWith(c.ending)) << mail.toStdString();
    }
}

} // namespace
