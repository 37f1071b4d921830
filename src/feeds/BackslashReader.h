#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/XmlNode.h"

// Slashdot's "backslash" format. Its story element is the ultramode one, so
// it is read by the same rules.
namespace BackslashReader {

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root);

} // namespace BackslashReader
