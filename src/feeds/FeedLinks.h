#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

// A feed a web page names, or one found on its site: what to call it and
// where it is.
struct FeedLink {
    QString Title;
    QString Address;

    bool operator==(const FeedLink&) const = default;
};

// The feeds a web page announces with <link rel="alternate"> elements of an
// RSS, Atom or RDF type. The page is scanned as browsers read tags, not
// parsed: pages are rarely well-formed, and only these elements matter.
namespace FeedLinks {

// The announced feeds in page order, each address once, resolved against
// `page` (or the page's <base href>); links that resolve to no http or
// https address are left out. Comments and the text of scripts and styles
// are passed over. Linear in the length of the page.
QList<FeedLink> InPage(QStringView html, const QUrl& page);

// How a feed is named to the user: "title (address)", or the address alone.
QString Describe(const FeedLink& feed);

} // namespace FeedLinks
