#pragma once

#include <QByteArray>

// Feeds long enough to test the limits of a story list, built in the test
// rather than kept as files of many megabytes.
namespace NumberedFeed {

// An RSS 2.0 document whose items are titled "Story 1" ... "Story <count>"
// and link to "http://x/1" ... "http://x/<count>".
inline QByteArray Rss(int count) {
    QByteArray xml = "<rss version=\"2.0\"><channel><title>Long</title><link>http://x/</link>\n";
    xml.reserve(xml.size() + count * 72);
    for (int n = 1; n <= count; ++n) {
        const QByteArray number = QByteArray::number(n);
        xml += "<item><title>Story " + number + "</title><link>http://x/" + number +
               "</link></item>\n";
    }
    return xml + "</channel></rss>";
}

} // namespace NumberedFeed
