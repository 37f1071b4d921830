#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/XmlNode.h"

// The "storyList" format: each "story" is a headline of some channel, dated
// by an RFC 822 "postTime".
namespace StoryListReader {

// Reads the stories of the root into `stories`. Stories without text or
// channel address are skipped; one without "postTime" is dated now.
bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root);

} // namespace StoryListReader
