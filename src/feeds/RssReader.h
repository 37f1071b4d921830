#pragma once

#include "platform/XmlNode.h"

#include <QString>

class Provider;
class StoryCollection;

// Stories and provider details of RSS documents: RSS 0.9 and 1.0 in their
// RDF form (items beside the channel) and RSS 0.91, 0.92 and 2.0 (items
// inside each channel). `version` is the root's version attribute, empty
// when it has none.
namespace RssReader {

// Adds the stories in document order. False for a version this reader does
// not know; the notice names it and no story is added.
bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root,
                 const QString& version);
// Name, description, site, image and language of the provider. An unknown
// version leaves the provider's LoadState failed.
void ReadDetails(Provider& provider, const XmlNode& root, const QString& version);

// The version up to its first "d": publishers marked drafts as "2.0d".
QString NormaliseVersion(const QString& version);
// The URL lies in one of the configured mailing-list archives.
bool IsGroupArchiveURL(const QString& url);
// The feed of the archive a list or message page belongs to: a page
// address as a user copies it from the archive becomes its list's feed.
QString GroupArchiveFeedURL(const QString& url);
// The canonical form of an archive's per-message link: the list name that
// the link repeats is dropped along with the leading path segment.
QString RewriteGroupArchiveLink(const QString& link);

} // namespace RssReader
