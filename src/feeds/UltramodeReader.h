#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/XmlNode.h"

// The "ultramode" format of Slashdot-style sites: "story" elements with a
// title, a link, a time and a comment count among nine fields that every
// story must carry.
namespace UltramodeReader {

// Reads the stories of the root into `stories`. Stories lacking one of the
// nine fields are skipped; comment counts are clamped to 0 to 32767, and one
// that is not a number counts as 0.
bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root);

} // namespace UltramodeReader
