#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"

#include <QString>

// Headlines published as plain text, a fixed number of lines per story. The
// provider's TextFormatSpec gives the layout: "SS,NN,LETTERS" skips SS
// leading lines, then reads groups of NN lines (1 to 20), one field letter
// per line:
//   T title, U link as written, R link relative to the provider's site,
//   D date (the letter after it is a DateFormatHandler code and takes no
//   line), H time of day appended to the date; any other letter skips its
//   line. An empty layout means "00,01,T": every line is a headline.
namespace TextFeedReader {

// Reads the stories of `text` (already decoded, any line ends) into
// `stories`. False, with no story read, when the layout asks for a number of
// lines per story outside 1 to 20. A group whose date cannot be read is
// dropped; the next group is read normally.
bool ReadStories(Provider& provider, StoryCollection& stories, const QString& text);

} // namespace TextFeedReader
