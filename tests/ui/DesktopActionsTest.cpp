#include "ui/DesktopActions.h"
#include "support/RecordingMessageBox.h"
#include "support/RecordingOpener.h"
#include "support/TestData.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonValue>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Which links are opened is the link policy's (tables/link-policy.json); that
// Return on a story opens it is walked through the main window
// (tests/data/main-window/article-grid).

// The help the program finds beside itself (here: the build tree's data
// folder) has the section the main window opens it at; each way the help can
// fail to show, and what the user is told.
TEST(DesktopActionsTest, HelpOpensAtTheTopicsSectionOrSaysWhyItCannot) {
    QTemporaryDir folder;
    TestData::Write(folder.filePath("help/index.html"), "");
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/help-openings.json"))) {
        SCOPED_TRACE(c["what"].toString().toStdString());
        RecordingMessageBox::Instance().Texts.clear();
        RecordingOpener opener;
        DesktopActions::Pages pages = DesktopActions::DefaultPages();
        if (c["helpFile"].isString())
            pages.HelpFile = c["helpFile"].toString().replace("{tmp}", folder.path());
        const DesktopActions actions(opener.Opener(c["opens"].toBool()), pages);
        EXPECT_EQ(actions.ShowHelp("MainWindow"), !c["message"].isString());
        ASSERT_EQ(opener.Opened.size(), c["openings"].toInt());
        for (const QUrl& page : opener.Opened) {
            const QFileInfo file(page.toLocalFile());
            const bool section = TestData::ReadFile(file.filePath())
                                     .contains("id=\"" + page.fragment().toUtf8() + "\"");
            EXPECT_EQ(file.dir().dirName() + u'/' + file.fileName() + u'#' + page.fragment() +
                          (section ? ", with its section" : ""),
                      c["opened"].toString());
        }
        const QStringList& texts = RecordingMessageBox::Instance().Texts;
        ASSERT_EQ(texts.size(), c["message"].isString() ? 1 : 0);
        EXPECT_TRUE(texts.join(u'|').contains(c["message"].toString()));
    }
}

TEST(DesktopActionsTest, MailKeepsSubjectAndLinkWholeAndNamesTheHomePageOnlyWhenThereIsOne) {
    const QString link = "%0D%0Ahttp%3A%2F%2Fx%2F%3Fa%3D1%26b%3D2%0D%0A";
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/mail-links.json"))) {
        const DesktopActions actions({}, {QString(), c["homePage"].toString()});
        EXPECT_EQ(actions.HomePage(), c["homePage"].toString());
        const QString mail = actions.MailLink("http://x/?a=1&b=2", "Caf\u00e9 & co #1", "Title")
                                 .toString(QUrl::FullyEncoded);
        EXPECT_TRUE(mail.startsWith("mailto:?subject=Caf%C3%A9%20%26%20co%20%231&body="))
            << mail.toStdString();
        EXPECT_TRUE(mail.contains(link)) << mail.toStdString();
        EXPECT_TRUE(mail.endsWith(c["ending"].toString())) << mail.toStdString();
    }
}

} // namespace
