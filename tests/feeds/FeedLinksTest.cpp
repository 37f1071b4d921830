#include "feeds/FeedLinks.h"

#include "support/FuzzCorpus.h"

#include <QJsonArray>

#include <gtest/gtest.h>

// Each page's feed links in page order, resolved against the page.
TEST(FeedLinksTest, FeedLinksCorpusReadsAsExpected) {
    FuzzCorpus::CheckEach(
        QStringLiteral("feed_links"),
        [](const QString& page) {
            QJsonArray found;
            for (const FeedLink& link : FeedLinks::InPage(
                     page, QUrl(QStringLiteral("https://news.example/blog/post.html"))))
                found.append(link.Title + QStringLiteral(" <") + link.Address + u'>');
            return QJsonObject{{"InPage", found}};
        },
        QStringLiteral("feeds_tests"));
}
