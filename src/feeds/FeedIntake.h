#pragma once

#include "platform/Types.h"
#include "platform/XmlNode.h"

#include <QString>

class IntakeEnvironment;
class Provider;
class StoryCollection;
class XmlDocument;

// Where a finished download meets the format readers: recognising the
// format, building the provider's new story collection, marking the stories
// whose titles are new, and keeping the provider's statistics and load state.
namespace FeedIntake {

// The feed format (FeedFormat) chosen by the root element's local name.
Long GetFeedFormat(const XmlNode& root);
// The root's first attribute named exactly "version", trimmed; "" when none.
QString GetVersionAttribute(const XmlNode& root);
// Counts the stories of `fresh` whose titles `old` lacks; with `highlightNew`
// their NewStory is set and every other story's cleared. A title opened in
// `old` is opened in `fresh`. Linear: the old titles are looked up through
// their hashes.
qsizetype MarkNewStories(const StoryCollection& old, StoryCollection& fresh, bool highlightNew);

// The stories of a finished document. A failed load (incomplete document,
// no root element, unknown format, a reader that cannot read it) keeps the
// provider's previous stories and sets LoadState to failed. A feed longer
// than a story collection holds is shown up to that limit, with a background
// notice. Whatever happens, the provider's stories operation ends here.
void GrabStoriesXMLComplete(Provider& provider, const XmlDocument& document,
                            IntakeEnvironment& environment);
// The stories of a finished text request with its HTTP status and decoded
// body.
void GrabStoriesTextFinish(Provider& provider, int httpStatus, const QString& responseText,
                           IntakeEnvironment& environment);
// The server says the feed is unchanged since the last load: a successful
// load with no new story that keeps the provider's stories.
void GrabStoriesNotModified(Provider& provider, IntakeEnvironment& environment);
// Name, description, site, image and language from a finished document.
void GrabProviderDetailsXMLComplete(Provider& provider, const XmlDocument& document,
                                    IntakeEnvironment& environment);
// Text feeds carry no details: a successful request only marks them done.
void GrabProviderDetailsTextFinish(Provider& provider, int httpStatus);

} // namespace FeedIntake
