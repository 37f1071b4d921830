#include "ui/UpdatesPage.h"

#include "support/EnvironmentVariable.h"
#include "support/OpenedPages.h"
#include "support/TestData.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

// The download page, else the home page; with neither the button says why
// it does nothing.
TEST(UpdatesPageTest, VisitDownloadSiteOpensTheDownloadPageOrTheHomePage) {
    // The pages configured, and the page opened (empty: the button is off).
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/download-pages.json"))) {
        const QString opened = c["opened"].toString();
        SCOPED_TRACE(opened.toStdString());
        const EnvironmentVariable download("VARNOCET_DOWNLOAD_PAGE",
                                           c["downloadPage"].toString().toUtf8());
        const EnvironmentVariable home("VARNOCET_HOME_PAGE", c["homePage"].toString().toUtf8());
        OpenedPages browser;
        UpdatesPage page;
        auto* visit = page.findChild<QPushButton*>("btnVisitDownloadSite");
        ASSERT_NE(visit, nullptr);
        EXPECT_EQ(visit->isEnabled(), !opened.isEmpty());
        if (opened.isEmpty()) {
            EXPECT_EQ(visit->toolTip(), "No download page is configured for this build.");
            continue;
        }
        visit->click();
        EXPECT_EQ(browser.Pages, QList<QUrl>({QUrl(opened)}));
    }
}

// The page only asks; the button stays off until it is given the answer.
TEST(UpdatesPageTest, CheckNowIsOffWhileTheCheckRuns) {
    UpdatesPage page;
    QSignalSpy requested(&page, &UpdatesPage::UpdateCheckRequested);
    auto* checkNow = page.findChild<QPushButton*>("btnCheckForUpdate");
    ASSERT_NE(checkNow, nullptr);
    checkNow->click();
    EXPECT_EQ(requested.size(), 1);
    EXPECT_FALSE(checkNow->isEnabled());
    page.ShowUpdateCheckAnswer(QStringLiteral("You are running the most recent version."));
    EXPECT_TRUE(checkNow->isEnabled());
    auto* answer = page.findChild<QMessageBox*>();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->text(), "You are running the most recent version.");
    answer->accept();
}
