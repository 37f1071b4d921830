#include "feeds/FeedIntake.h"

#include "feeds/AtomReader.h"
#include "feeds/BackslashReader.h"
#include "feeds/FeedConstants.h"
#include "feeds/FeedFormat.h"
#include "feeds/IntakeEnvironment.h"
#include "feeds/MoreoverReader.h"
#include "feeds/RssReader.h"
#include "feeds/ScriptingNewsReader.h"
#include "feeds/StoryListReader.h"
#include "feeds/TextFeedReader.h"
#include "feeds/UltramodeReader.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/HighResolutionCounter.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "platform/XmlDocument.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The end of every stories completion, however it ends: the provider is
// due again after its interval, no longer outstanding, and recoloured.
class StoriesCompletion {
public:
    StoriesCompletion(Provider& provider, IntakeEnvironment& environment)
        : m_provider(provider)
        , m_environment(environment) {}
    ~StoriesCompletion() {
        m_provider.MinutesToNextRefresh = m_provider.RefreshMinutes;
        m_provider.PendingOperations &= ~PendingOperation::Stories;
        m_environment.OperationCompleted();
        m_environment.LoadStateChanged(m_provider);
    }

    StoriesCompletion(const StoriesCompletion&) = delete;
    StoriesCompletion& operator=(const StoriesCompletion&) = delete;

private:
    Provider& m_provider;
    IntakeEnvironment& m_environment;
};

void CountSuccessfulUpdate(Provider& provider, const Currency& now) {
    provider.SuccessfulUpdates = SaturatingAdd(provider.SuccessfulUpdates, 1);
    const Currency elapsed = HighResolutionCounter::Seconds(provider.tStart, now);
    provider.LastLoadDuration = elapsed;
    provider.TotalLoadDuration =
        Currency::FromScaled(SaturatingAdd(provider.TotalLoadDuration.Scaled(), elapsed.Scaled()));
}

// A fresh collection for the coming stories, seeded with the provider's
// preset story; the previous one stays with the provider until the new one
// has been read.
std::shared_ptr<StoryCollection> SeededCollection(Provider& provider) {
    auto previous = provider.Stories;
    provider.Stories = std::make_shared<StoryCollection>();
    provider.PresetStoryCollection();
    return std::exchange(provider.Stories, previous);
}

bool ReadRssStories(Provider& provider, StoryCollection& stories, const XmlNode& root) {
    return RssReader::ReadStories(provider, stories, root, FeedIntake::GetVersionAttribute(root));
}

void ReadRssDetails(Provider& provider, const XmlNode& root) {
    RssReader::ReadDetails(provider, root, FeedIntake::GetVersionAttribute(root));
}

// For formats that carry no provider details: asking again would find none.
void MarkDetailsDone(Provider& provider, const XmlNode&) {
    provider.NeedsDetails = false;
}

// Moreover's own format names no site or image; the service's logo stands in.
void ReadMoreoverDetails(Provider& provider, const XmlNode&) {
    if (!FeedConstants::MoreoverLogoURL.isEmpty())
        provider.ImageURL = FeedConstants::MoreoverLogoURL;
    provider.NeedsDetails = false;
}

// An XML feed format: the local name of the root element that announces it
// (compared case-sensitively), its DataType value, and its readers. A
// stories reader returns false when it cannot read the document at all.
struct XmlFormat {
    QLatin1StringView rootName;
    Long format;
    bool (*readStories)(Provider&, StoryCollection&, const XmlNode&);
    void (*readDetails)(Provider&, const XmlNode&);
};

constexpr std::array<XmlFormat, 8> XmlFormats = {{
    {"RDF"_L1, FeedFormat::RSS, ReadRssStories, ReadRssDetails},
    {"rss"_L1, FeedFormat::RSS, ReadRssStories, ReadRssDetails},
    {"feed"_L1, FeedFormat::Atom, AtomReader::ReadStories, AtomReader::ReadDetails},
    {"ultramode"_L1, FeedFormat::Ultramode, UltramodeReader::ReadStories, MarkDetailsDone},
    {"scriptingNews"_L1, FeedFormat::ScriptingNews, ScriptingNewsReader::ReadStories,
     ScriptingNewsReader::ReadDetails},
    {"backslash"_L1, FeedFormat::Backslash, BackslashReader::ReadStories, MarkDetailsDone},
    {"moreovernews"_L1, FeedFormat::Moreover, MoreoverReader::ReadStories, ReadMoreoverDetails},
    {"storyList"_L1, FeedFormat::StoryList, StoryListReader::ReadStories, MarkDetailsDone},
}};

// The format the root element announces; null for any other root and for
// none.
const XmlFormat* FindXmlFormat(const XmlNode& root) {
    const QString name = root.BaseName();
    const auto found =
        std::find_if(XmlFormats.begin(), XmlFormats.end(),
                     [&name](const XmlFormat& format) { return format.rootName == name; });
    return found == XmlFormats.end() ? nullptr : &*found;
}

// How notices name a feed: by its name, else by its address.
QString NoticeName(const Provider& provider) {
    return provider.ProviderName.isEmpty() ? provider.DataURL : provider.ProviderName;
}

void ReportOverflow(const Provider& provider) {
    const QString source = NoticeName(provider);
    const QString limit = QString::number(StoryCollection::MaximumStories);
    if (source.isEmpty())
        BackgroundNotice::Report(
            QStringLiteral("A feed has more than %1 stories; the first %1 are shown.").arg(limit));
    else
        BackgroundNotice::Report(
            QStringLiteral("%1: the feed has more than %2 stories; the first %2 are shown.")
                .arg(source, limit));
}

// Adopts the stories just read: marks the new ones, tells the window and
// plays the arrival sound.
void Adopt(Provider& provider, std::shared_ptr<StoryCollection> fresh,
           IntakeEnvironment& environment) {
    if (fresh->Overflowed())
        ReportOverflow(provider);
    environment.RestoreStories(provider);
    const qsizetype count =
        FeedIntake::MarkNewStories(*provider.Stories, *fresh, environment.HighlightNewStories());
    fresh->Compress();
    provider.Stories = std::move(fresh);
    provider.LoadState = count >= 1 ? LoadState::LoadedWithNewStories : LoadState::Loaded;
    environment.StoriesReplaced(provider);
    if (environment.PlayArrivalSounds() && count != 0 && !provider.ArrivalSound.isEmpty())
        environment.PlayArrivalSound(provider.ArrivalSound);
}

// A feed read in spite of its errors still says that it has them.
void ReportMalformed(const Provider& provider, const XmlDocument::ParseError& error) {
    BackgroundNotice::Report(
        QStringLiteral(
            "%1: the feed is not well-formed XML (line %2: %3); its headlines were read anyway")
            .arg(NoticeName(provider), QString::number(error.Line), error.Reason));
}

bool IsSuccess(int httpStatus) {
    return httpStatus >= 200 && httpStatus <= 299;
}

} // namespace

namespace FeedIntake {

Long GetFeedFormat(const XmlNode& root) {
    const XmlFormat* format = FindXmlFormat(root);
    return format ? format->format : FeedFormat::Unknown;
}

QString GetVersionAttribute(const XmlNode& root) {
    for (const XmlNode::Attribute& attribute : root.Attributes()) {
        if (attribute.Name == QLatin1String("version"))
            return attribute.Value.trimmed();
    }
    return QString();
}

qsizetype MarkNewStories(const StoryCollection& old, StoryCollection& fresh, bool highlightNew) {
    // Keyed by the whole title rather than the title hash: long titles that
    // differ only near the start share that hash, and a feed of them would
    // turn every look-up into a scan. Equal titles are what a match means
    // either way.
    // A title the user opened stays opened in the new load.
    QHash<QString, bool> oldTitles;
    oldTitles.reserve(old.Count());
    for (const Story& story : old)
        oldTitles[story.Title] |= story.Opened;
    qsizetype count = 0;
    for (Story& story : fresh) {
        const auto found = oldTitles.constFind(story.Title);
        const bool known = found != oldTitles.cend();
        story.Opened = known && *found;
        if (!known)
            ++count;
        if (highlightNew)
            story.NewStory = !known;
    }
    return count;
}

void GrabStoriesXMLComplete(Provider& provider, const XmlDocument& document,
                            IntakeEnvironment& environment) {
    const StoriesCompletion completion(provider, environment);
    const Currency now = environment.CounterNow();
    const XmlNode root = document.DocumentElement();
    provider.LoadState = LoadState::Failed;
    if (document.ReadyState() != XmlDocument::Complete || root.IsNull())
        return;
    CountSuccessfulUpdate(provider, now);
    const XmlFormat* format = FindXmlFormat(root);
    if (!format)
        return;
    provider.DataType = format->format;
    auto fresh = SeededCollection(provider);
    try {
        if (!format->readStories(provider, *fresh, root))
            return;
    } catch (const ProgramError&) {
        return;
    }
    Adopt(provider, std::move(fresh), environment);
    if (document.WasRecovered())
        ReportMalformed(provider, document.LastParseError());
}

void GrabStoriesTextFinish(Provider& provider, int httpStatus, const QString& responseText,
                           IntakeEnvironment& environment) {
    const StoriesCompletion completion(provider, environment);
    const Currency now = environment.CounterNow();
    provider.LoadState = LoadState::Failed;
    // A blank answer is a feed gone wrong, not one without stories: the old
    // ones stay, and come back as known at the next good load.
    if (!IsSuccess(httpStatus) || responseText.trimmed().isEmpty())
        return;
    CountSuccessfulUpdate(provider, now);
    auto fresh = SeededCollection(provider);
    provider.DataType = FeedFormat::Text;
    try {
        if (!TextFeedReader::ReadStories(provider, *fresh, responseText))
            return;
    } catch (const ProgramError&) {
        return;
    }
    Adopt(provider, std::move(fresh), environment);
}

void GrabStoriesNotModified(Provider& provider, IntakeEnvironment& environment) {
    const StoriesCompletion completion(provider, environment);
    CountSuccessfulUpdate(provider, environment.CounterNow());
    provider.LoadState = LoadState::Loaded;
    // Unchanged since the last run, too: its stories are the stored ones.
    environment.RestoreStories(provider);
    // As after a load that found every title known.
    if (environment.HighlightNewStories() && provider.Stories) {
        for (Story& story : *provider.Stories)
            story.NewStory = false;
        environment.StoriesReplaced(provider);
    }
}

void GrabProviderDetailsXMLComplete(Provider& provider, const XmlDocument& document,
                                    IntakeEnvironment& environment) {
    const XmlNode root = document.DocumentElement();
    const XmlFormat* format = FindXmlFormat(root);
    if (document.ReadyState() == XmlDocument::Complete && format) {
        try {
            format->readDetails(provider, root);
        } catch (const ProgramError&) {
            BackgroundNotice::Report(QStringLiteral("Error in GrabProviderDetailsXMLComplete!"));
        }
    }
    provider.PendingOperations &= ~PendingOperation::Details;
    environment.OperationCompleted();
    // The provider's name may have arrived: its entry and caption follow.
    environment.LoadStateChanged(provider);
}

void GrabProviderDetailsTextFinish(Provider& provider, int httpStatus) {
    if (IsSuccess(httpStatus))
        provider.NeedsDetails = false;
    provider.PendingOperations &= ~PendingOperation::Details;
}

} // namespace FeedIntake
