#pragma once

#include "config/StoryStore.h"

#include <QByteArray>
#include <QString>

#include <vector>

// What varnocet-stories prints about the stored headlines: each provider by
// its permanent ID (or as temporary, by its data URL) with its stories, those
// of the last load first in feed order, then the older ones. Times are
// ISO 8601 in UTC, so that a report reads the same in any zone.
namespace StoriesReport {

QString AsText(const std::vector<StoryStore::ProviderRecords>& providers);
QByteArray AsJson(const std::vector<StoryStore::ProviderRecords>& providers);

} // namespace StoriesReport
