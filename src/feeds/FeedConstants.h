#pragma once

#include <QString>
#include <QStringList>

// Addresses and domains of particular services that some readers treat
// specially. An empty value disables its rule: it matches nothing, so a
// value left blank can never make a reader drop or rewrite every story.
namespace FeedConstants {

// Moreover's RSS channels open with an item about the service itself.
extern const QString MoreoverDomain;
// The logo shown for providers that deliver Moreover's own news format.
extern const QString MoreoverLogoURL;
// Kanoodle placed sponsored links among the items of syndicated feeds.
extern const QString KanoodleDomain;
// Mailing-list archives whose per-message links carry the list name twice.
extern const QStringList GroupArchiveBaseURLs;

// `text` contains `constant`; never true for an empty constant.
bool ContainsConstant(const QString& text, const QString& constant);
// `text` begins with one of `prefixes`; empty prefixes are skipped.
bool StartsWithAny(const QString& text, const QStringList& prefixes);

} // namespace FeedConstants
