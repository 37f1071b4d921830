#include "feeds/BackslashReader.h"

#include "feeds/UltramodeReader.h"

namespace BackslashReader {

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root) {
    return UltramodeReader::ReadStories(provider, stories, root);
}

} // namespace BackslashReader
