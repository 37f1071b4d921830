#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUrl>

// Small RSS 2.0 documents built in a test, where the feed's items are what
// the test is about.
namespace RssFeed {

// Items titled `titles`, each linking to "http://news.example/" and its
// title, so that items are told apart by their links too.
inline QByteArray WithTitles(const QStringList& titles) {
    QByteArray xml = "<rss version=\"2.0\"><channel><title>T</title>";
    for (const QString& title : titles)
        xml += "<item><title>" + title.toUtf8() + "</title><link>http://news.example/" +
               QUrl::toPercentEncoding(title) + "</link></item>";
    return xml + "</channel></rss>";
}

// A feed named `title` with one story, for tests about the feed's name.
inline QByteArray Named(const QByteArray& title) {
    return "<rss version=\"2.0\"><channel><title>" + title +
           "</title><item><title>Story</title></item></channel></rss>";
}

} // namespace RssFeed
