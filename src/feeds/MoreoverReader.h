#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/XmlNode.h"

// Moreover's news format: "article" elements, of which only text articles
// (not images or video) become stories.
namespace MoreoverReader {

// Reads the text articles of the "moreovernews" root into `stories`. A text
// article without "harvest_time" is dated now.
bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root);

} // namespace MoreoverReader
