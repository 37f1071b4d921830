#include "feeds/FeedLinks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QUrl Page(QStringLiteral("https://news.example/blog/post.html?x=1"));

QString Describe(const QList<FeedLink>& links) {
    QStringList lines;
    for (const FeedLink& link : links)
        lines.append(link.Title + QStringLiteral(" <") + link.Address + QStringLiteral(">"));
    return lines.join(u'\n');
}

TEST(FeedLinksTest, AlternateFeedLinksAreFoundInPageOrderAndResolved) {
    struct Case {
        const char* page;
        const char* found;
    };
    const std::vector<Case> cases{
        {R"html(<link rel="alternate" type="application/rss+xml" title="News" href="/feed">)html",
         "News <https://news.example/feed>"},
        {R"html(<LINK REL=Alternate TYPE="Application/Atom+XML; charset=utf-8" HREF=atom.xml>)html",
         " <https://news.example/blog/atom.xml>"},
        {R"html(<link type='application/rdf+xml' href='//other.example/rdf' rel='home alternate'/>)html",
         " <https://other.example/rdf>"},
        {R"html(<link rel="alternate" type="application/rss+xml" href="a.xml" title="A">
            <link rel="alternate" type="application/atom+xml" href="b.xml" title="B">)html",
         "A <https://news.example/blog/a.xml>\nB <https://news.example/blog/b.xml>"},
        // References in values are decoded; white space in a title folded.
        {R"html(<link rel="alternate" type="application/rss+xml" title=" Tom &amp;
             Jerry " href="/rss?a=1&amp;b=2">)html",
         "Tom & Jerry <https://news.example/rss?a=1&b=2>"},
        // The base counts for links before it too; only the first one counts.
        {R"html(<link rel="alternate" type="application/rss+xml" href="feed">
            <base href="http://mirror.example/site/"><base href="http://no.example/">)html",
         " <http://mirror.example/site/feed>"},
        // A ">" inside a quoted value does not end the tag.
        {R"html(<link title="a > b" rel="alternate" type="application/rss+xml" href="/f">)html",
         "a > b <https://news.example/f>"},
        // The same feed twice is named once.
        {R"html(<link rel="alternate" type="application/rss+xml" href="/f" title="one">
            <link rel="alternate" type="application/rss+xml" href="https://news.example/f">)html",
         "one <https://news.example/f>"},
        // Not feeds: other types or relations, no address, another scheme.
        {R"html(<link rel="alternate" type="text/html" href="/m">
            <link rel="stylesheet" type="application/rss+xml" href="/s">
            <link rel="alternate" type="application/rss+xml">
            <link rel="alternate" type="application/rss+xml" href="  ">
            <link rel="alternate" type="application/rss+xml" href="javascript:alert(1)">
            <link rel="alternate" type="application/rss+xml" href="ftp://news.example/f">
            <a rel="alternate" type="application/rss+xml" href="/anchor">)html",
         ""},
        // Comments and the text of scripts and styles are passed over.
        {R"html(<!-- <link rel="alternate" type="application/rss+xml" href="/c"> -->
            <script>var s = '<link rel="alternate" type="application/rss+xml" href="/s">';
            </scripts></SCRIPT >
            <style>/* <link rel="alternate" type="application/rss+xml" href="/y"> */</style>
            <link rel="alternate" type="application/rss+xml" href="/real">)html",
         " <https://news.example/real>"},
        // Broken markup ends the scan without a crash.
        {R"html(<link rel="alternate" type="application/rss+xml" href="/a"><link rel="alt)html",
         " <https://news.example/a>"},
        {R"html(<link rel="alternate" type="application/rss+xml" href="/b)html", ""},
        {"<!-- never closed <link rel=alternate type=application/rss+xml href=/c>", ""},
        {"<script><link rel=alternate type=application/rss+xml href=/d>", ""},
        {"< <<> </ <! <?", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(Describe(FeedLinks::InPage(QString::fromUtf8(c.page), Page)),
                  QString::fromUtf8(c.found));
    }
}

} // namespace
