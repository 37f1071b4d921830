#include "ui/DesktopActions.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

TEST(DesktopActionsTest, OnlyWebPagesFromFeedsAreOpened) {
    QList<QUrl> opened;
    const DesktopActions actions([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    EXPECT_FALSE(actions.OpenWebPage("javascript:alert(1)"));
    EXPECT_FALSE(actions.OpenWebPage("file:///etc/passwd"));
    EXPECT_TRUE(actions.OpenWebPage("https://example.org/story"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl("https://example.org/story"));
    actions.ShowHelp("MainWindow");
    EXPECT_EQ(opened.last().fragment(), "MainWindow");
}

TEST(DesktopActionsTest, MailKeepsSubjectAndLinkWhole) {
    const QString mail = DesktopActions::MailLink("http://x/?a=1&b=2", "Caf\u00e9 & co #1", "Title")
                             .toString(QUrl::FullyEncoded);
    EXPECT_TRUE(mail.startsWith("mailto:?subject=Caf%C3%A9%20%26%20co%20%231&body="))
        << mail.toStdString();
    EXPECT_TRUE(mail.contains("%0D%0Ahttp%3A%2F%2Fx%2F%3Fa%3D1%26b%3D2%0D%0A"))
        << mail.toStdString();
}

} // namespace
