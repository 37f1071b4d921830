#pragma once

#include "platform/XmlNode.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class AliasSet;

// From each URL to the set that claimed it first; letter case matters.
using AliasURLIndex = QHash<QString, std::shared_ptr<AliasSet>>;

// The data URLs under which one feed is published. Sets live in shared_ptrs:
// the URL index refers to them.
class AliasSet : public std::enable_shared_from_this<AliasSet> {
public:
    // Set while importing a directory when one of the user's providers is
    // published under a URL of this set.
    bool IsKnown = false;

    // Reads the text of each child element as a URL, surrounding white space
    // removed; elements without text are passed over. False when the element
    // names no URL at all: such a set cannot stand for any feed.
    bool FromXML(const XmlNode& element);

    bool IncludesURL(const QString& url) const { return m_urls.contains(url); }
    const QStringList& URLs() const { return m_urls; }

    // Enters each URL not yet in the index with this set as its value. A URL
    // another set claimed stays with that set, and this set's remaining URLs
    // are entered all the same. The set must be owned by a shared_ptr.
    void StashURLs(AliasURLIndex& index);

private:
    QStringList m_urls;
};
