#include "model/Provider.h"

#include "model/LineElement.h"
#include "model/PendingOperation.h"
#include "model/PresentField.h"
#include "model/ProviderConstants.h"
#include "model/ProviderField.h"
#include "platform/KnownFolders.h"
#include "platform/ProgramError.h"
#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"

#include <QLatin1String>

#include <algorithm>
#include <atomic>

namespace {

// Stands for "the element had no successfulupdates" while reading.
constexpr Long SuccessfulUpdatesAbsent = -1;
constexpr QChar RelativeImageMark = u':';

std::atomic<quint32> temporaryIDCounter{0};

// Text between the children is only layout; text that is more than blanks
// means the element is not one this program wrote.
bool IsStrayText(const XmlNode& node) {
    const XmlNode::Type type = node.NodeType();
    const bool textual = type == XmlNode::Type::Text || type == XmlNode::Type::CData ||
                         type == XmlNode::Type::EntityReference;
    return textual && !node.Text().trimmed().isEmpty();
}

// False when the child holds something that could not be read; the field
// then keeps its value and its bit stays clear, so a delta set never
// applies a value it did not carry.
bool ReadChild(Provider& provider, const XmlNode& child) {
    if (!child.IsElement())
        return !IsStrayText(child);
    const ProviderField* field = ProviderField::WithTag(child.TagName());
    if (field == nullptr)
        return true;
    try {
        field->Value.Read(provider, child.Text());
    } catch (const ProgramError&) {
        return false;
    }
    provider.PresentFlags |= field->Bit;
    return true;
}

void ResetBeforeReading(Provider& provider) {
    provider.PresentFlags = 0;
    provider.Active = true;
    provider.UserCategory = false;
    provider.Origin = Provider::DefaultOrigin;
    provider.RefreshMinutes = Provider::DefaultRefreshMinutes;
    provider.NeedsDetails = false;
    provider.SetIsTextFormat(false);
    provider.UseTitle = false;
    provider.TextFormatSpec.clear();
    provider.Language = Provider::DefaultLanguage;
    provider.ArrivalSound.clear();
    provider.SuccessfulUpdates = SuccessfulUpdatesAbsent;
}

// Bundled providers name their logos relative to the installed data files.
QString FixedImageURL(const QString& imageURL) {
    if (!imageURL.startsWith(RelativeImageMark))
        return imageURL;
    return KnownFolders::DataFolder() + QLatin1Char('/') + imageURL.mid(1);
}

QString LoadedFrom(QLatin1String host) {
    return QStringLiteral("Loaded from ") + host;
}

} // namespace

void Provider::SetIsTextFormat(bool value) {
    m_isTextFormat = value;
    // The kind of request depends on the flag, so one in flight is now the
    // wrong one.
    if ((PendingOperations & PendingOperation::StoriesAndDetails) != 0)
        CancelPendingRequest();
}

void Provider::ResetStatistics() {
    AttemptedUpdates = 0;
    SuccessfulUpdates = 0;
    LastLoadDuration = Currency();
    TotalLoadDuration = Currency();
}

XmlNode Provider::AsXML(XmlDocument& document, const QString& indent, bool diffOnly,
                        bool dynamic) const {
    LineElement element(document, QStringLiteral("provider"), indent);
    WriteXML(element, diffOnly, dynamic);
    return element.Element();
}

void Provider::WriteXML(LineSink& lines, bool diffOnly, bool dynamic) const {
    for (const ProviderField& field : ProviderField::All()) {
        if (field.IsWritten(*this, diffOnly, dynamic))
            lines.AddLine(field.Tag, field.Value.Stored(*this));
    }
}

bool Provider::FromXML(const XmlNode& element, bool fixImages) {
    ResetBeforeReading(*this);
    bool clean = true;
    for (const XmlNode& child : XmlChildren(element))
        clean = ReadChild(*this, child) && clean;
    if (fixImages && (PresentFlags & PresentField::ImageURL) != 0)
        ImageURL = FixedImageURL(ImageURL);
    // A file may ask for any interval; the program never polls a site more
    // often than the site's minimum.
    const int minimumMinutes = 60 * ProviderConstants::MinimumRefreshHours(SiteURL);
    RefreshMinutes = static_cast<Integer>(std::max<int>(RefreshMinutes, minimumMinutes));
    if (SuccessfulUpdates == SuccessfulUpdatesAbsent)
        SuccessfulUpdates = AttemptedUpdates;
    return clean;
}

Long Provider::Diff(const Provider& other) const {
    Long differing = 0;
    for (const ProviderField& field : ProviderField::All()) {
        if (field.Bit != 0 && field.Value.Differs(*this, other))
            differing |= field.Bit;
    }
    return differing;
}

void Provider::ApplyAsPresent(const Provider& source) {
    for (const ProviderField& field : ProviderField::All()) {
        if ((source.PresentFlags & field.Bit) != 0)
            field.Value.Copy(source, *this);
    }
}

void Provider::PresetStoryCollection() {
    if (!Stories || !ProviderConstants::IsAttributedSite(SiteURL))
        return;
    const QString title =
        QStringLiteral("*** ") + ProviderConstants::AttributionTitle + QStringLiteral(" ***");
    Stories->Add(title, QString(), ProviderConstants::AttributionHomePage, Date(), 0, false);
}

qsizetype Provider::FindArticle(qsizetype current, bool forward, const QString& text) const {
    if (!Stories)
        return -1;
    const StoryCollection& stories = *Stories;
    const QString match = text.toLower();
    const qsizetype count = stories.Count();
    const qsizetype step = forward ? 1 : -1;
    // A start far outside the collection is brought to its edge so that only
    // stories are looked at.
    qsizetype position =
        forward ? std::max<qsizetype>(current + 1, 1) : std::min<qsizetype>(current - 1, count);
    for (; position >= 1 && position <= count; position += step) {
        if (stories.Item(position).Title.toLower().contains(match))
            return position;
    }
    return -1;
}

void Provider::CancelPendingRequest() {
    const int cancelled = PendingOperations & PendingOperation::StoriesAndDetails;
    PendingOperations =
        static_cast<Integer>(PendingOperations & ~PendingOperation::StoriesAndDetails);
    // Taken out first: the fetch may call back into this provider while it
    // winds down.
    if (std::unique_ptr<PendingFetch> fetch = std::move(m_pendingFetch))
        fetch->Cancel(cancelled);
}

void Provider::SetPendingFetch(std::unique_ptr<PendingFetch> fetch) {
    m_pendingFetch = std::move(fetch);
}

Long Provider::NewUniqueProviderID() {
    // Kept below the mask's bits, or every ID after the first 65 536 would
    // repeat one before it.
    const quint32 counter =
        temporaryIDCounter.fetch_add(1) % static_cast<quint32>(TemporaryIDCount);
    return static_cast<Long>(counter | static_cast<quint32>(TemporaryIDMask));
}

bool Provider::IsTemporaryID(Long id) {
    return (id & TemporaryIDMask) == TemporaryIDMask;
}

QString Provider::OriginText(Long origin) {
    switch (origin) {
    case 0:
        return QStringLiteral("Built-in to Varnocet");
    case 2:
        return LoadedFrom(ProviderConstants::UserLandHost);
    case 3:
        return LoadedFrom(ProviderConstants::Syndic8Host);
    case 4:
        return LoadedFrom(ProviderConstants::XmlTreeHost);
    case 5:
        return QStringLiteral("Built-in as supplied from ") + ProviderConstants::MoreoverHost;
    case 6:
        return QStringLiteral("Dropped on to Varnocet");
    case 7:
        return LoadedFrom(ProviderConstants::GrokSoupHost);
    case 8:
        return LoadedFrom(ProviderConstants::MeerkatHost);
    case 9:
        return QStringLiteral("Created then never filled in (uh oh)");
    case 10:
        return LoadedFrom(ProviderConstants::NewsIsFreeHost);
    default:
        return QStringLiteral("(user-entered)");
    }
}
