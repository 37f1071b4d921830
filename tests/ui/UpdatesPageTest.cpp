#include "ui/UpdatesPage.h"

#include "support/EnvironmentVariable.h"
#include "support/OpenedPages.h"
#include "support/TestData.h"

#include <QPushButton>

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
