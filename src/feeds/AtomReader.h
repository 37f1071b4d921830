#pragma once

#include "platform/XmlNode.h"

class Provider;
class StoryCollection;

// Stories and provider details of Atom documents. The element names are
// Atom 0.3's; Atom 1.0 documents are read by the same rules, with its date
// names, its subtitle and its typed links understood as well.
namespace AtomReader {

// Adds one story per "entry" child of the root, in document order; entries
// written with a namespace prefix are not read. Any Atom document can be
// read, so the result is always true.
bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root);
// Name, description, site and language of the provider from the root's
// children; entries are not looked at.
void ReadDetails(Provider& provider, const XmlNode& root);

} // namespace AtomReader
