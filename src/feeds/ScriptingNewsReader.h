#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/XmlNode.h"

// UserLand's scriptingNews format: "item" elements whose "link" holds the
// headline ("linetext") and its address ("url"). The format carries no dates.
namespace ScriptingNewsReader {

// Reads the items of the "scriptingNews" root into `stories`. Always true:
// items without a headline or an address are skipped.
bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root);

// Takes the provider's name, site and description from the "header".
void ReadDetails(Provider& provider, const XmlNode& root);

} // namespace ScriptingNewsReader
