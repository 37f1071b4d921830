#include "model/Provider.h"

#include "model/DataURLScrambler.h"
#include "model/LineElement.h"
#include "model/PendingOperation.h"
#include "model/PresentField.h"
#include "model/ProviderConstants.h"
#include "platform/KnownFolders.h"
#include "platform/ProgramError.h"
#include "platform/TextConversion.h"
#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"

#include <QLatin1String>

#include <algorithm>
#include <atomic>
#include <iterator>

namespace {

namespace Tag {
constexpr QLatin1String ProviderName{"providername"};
constexpr QLatin1String UniqueID{"uniqueid"};
constexpr QLatin1String Description{"description"};
constexpr QLatin1String LastUsed{"lastused"};
constexpr QLatin1String Active{"active"};
constexpr QLatin1String UserCategory{"usercategory"};
constexpr QLatin1String RefreshMinutes{"refreshminutes"};
constexpr QLatin1String BackColor{"backcolor"};
constexpr QLatin1String DataURL{"dataurl"};
constexpr QLatin1String SiteURL{"siteurl"};
constexpr QLatin1String ImageURL{"imageurl"};
constexpr QLatin1String Category{"category"};
constexpr QLatin1String Origin{"origin"};
constexpr QLatin1String NeedsDetails{"needsdetails"};
constexpr QLatin1String IsTextFormat{"istextformat"};
constexpr QLatin1String UseTitle{"usetitle"};
constexpr QLatin1String TextFormatSpec{"textformatspec"};
constexpr QLatin1String Language{"language"};
constexpr QLatin1String AttemptedUpdates{"attemptedupdates"};
constexpr QLatin1String SuccessfulUpdates{"successfulupdates"};
constexpr QLatin1String LastLoadDuration{"lastloadduration"};
constexpr QLatin1String TotalLoadDuration{"totalloadduration"};
constexpr QLatin1String ArrivalSound{"arrivalsound"};
} // namespace Tag

constexpr Integer DefaultRefreshMinutes = 60;
constexpr Long DefaultLanguage = 1;
constexpr Long DefaultOrigin = 0;
// Stands for "the element had no successfulupdates" while reading.
constexpr Long SuccessfulUpdatesAbsent = -1;
constexpr QChar RelativeImageMark = u':';

std::atomic<quint32> temporaryIDCounter{0};

// Writes the children of a provider element one per line, choosing them by
// the mode: full mode writes what is worth storing, diff mode only the
// fields a delta set changes.
class ElementWriter {
public:
    ElementWriter(LineSink& lines, bool diffOnly, Long presentFlags)
        : m_lines(lines)
        , m_diffOnly(diffOnly)
        , m_presentFlags(presentFlags) {}

    // In full mode when inFull; in diff mode when the present flags hold
    // bit (a field without a bit is never part of a diff).
    void Write(QLatin1String tag, const QString& value, bool inFull, Long bit = 0) {
        if (m_diffOnly ? (m_presentFlags & bit) != 0 : inFull)
            WriteLine(tag, value);
    }

    void WriteLine(QLatin1String tag, const QString& value) { m_lines.AddLine(tag, value); }

private:
    LineSink& m_lines;
    bool m_diffOnly;
    Long m_presentFlags;
};

using TextConversion::ToText;

template <auto Field>
void ReadField(Provider& provider, const QString& text) {
    TextConversion::FromText(text, provider.*Field);
}

// Codes stored as 16-bit values though held in wider fields.
template <auto Field>
void ReadShortField(Provider& provider, const QString& text) {
    provider.*Field = TextConversion::ToInteger(text);
}

void ReadIsTextFormat(Provider& provider, const QString& text) {
    provider.SetIsTextFormat(TextConversion::ToBoolean(text));
}

void ReadDataURL(Provider& provider, const QString& text) {
    const bool isProtected = DataURLScrambler::IsProtectedForm(text);
    provider.DataURL = isProtected ? DataURLScrambler::Decode(text) : text;
    provider.Protected = isProtected;
}

struct ChildReader {
    QLatin1String Tag;
    // The PresentField bit a successful read sets; 0 for none.
    Long Bit;
    void (*Read)(Provider&, const QString&);
};

namespace PF = PresentField;

constexpr ChildReader ChildReaders[] = {
    {Tag::ProviderName, PF::ProviderName, &ReadField<&Provider::ProviderName>},
    {Tag::Description, PF::Description, &ReadField<&Provider::Description>},
    {Tag::UniqueID, 0, &ReadField<&Provider::UniqueID>},
    {Tag::LastUsed, 0, &ReadField<&Provider::LastUsed>},
    {Tag::Active, 0, &ReadField<&Provider::Active>},
    {Tag::UserCategory, 0, &ReadField<&Provider::UserCategory>},
    {Tag::RefreshMinutes, PF::RefreshMinutes, &ReadField<&Provider::RefreshMinutes>},
    {Tag::BackColor, PF::BackColor, &ReadField<&Provider::BackColor>},
    {Tag::DataURL, PF::DataURL, &ReadDataURL},
    {Tag::SiteURL, PF::SiteURL, &ReadField<&Provider::SiteURL>},
    {Tag::ImageURL, PF::ImageURL, &ReadField<&Provider::ImageURL>},
    {Tag::Category, PF::Category, &ReadField<&Provider::Category>},
    {Tag::Origin, PF::Origin, &ReadShortField<&Provider::Origin>},
    {Tag::NeedsDetails, 0, &ReadField<&Provider::NeedsDetails>},
    {Tag::IsTextFormat, PF::IsTextFormat, &ReadIsTextFormat},
    {Tag::TextFormatSpec, PF::TextFormatSpec, &ReadField<&Provider::TextFormatSpec>},
    {Tag::UseTitle, PF::UseTitle, &ReadField<&Provider::UseTitle>},
    {Tag::Language, PF::Language, &ReadShortField<&Provider::Language>},
    {Tag::AttemptedUpdates, 0, &ReadField<&Provider::AttemptedUpdates>},
    {Tag::SuccessfulUpdates, 0, &ReadField<&Provider::SuccessfulUpdates>},
    {Tag::LastLoadDuration, 0, &ReadField<&Provider::LastLoadDuration>},
    {Tag::TotalLoadDuration, 0, &ReadField<&Provider::TotalLoadDuration>},
    {Tag::ArrivalSound, PF::ArrivalSound, &ReadField<&Provider::ArrivalSound>},
};

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
    const QString tag = child.TagName();
    const auto* reader = std::find_if(std::begin(ChildReaders), std::end(ChildReaders),
                                      [&tag](const ChildReader& r) { return tag == r.Tag; });
    if (reader == std::end(ChildReaders))
        return true;
    try {
        reader->Read(provider, child.Text());
    } catch (const ProgramError&) {
        return false;
    }
    provider.PresentFlags |= reader->Bit;
    return true;
}

void ResetBeforeReading(Provider& provider) {
    provider.PresentFlags = 0;
    provider.Active = true;
    provider.UserCategory = false;
    provider.Origin = DefaultOrigin;
    provider.RefreshMinutes = DefaultRefreshMinutes;
    provider.NeedsDetails = false;
    provider.SetIsTextFormat(false);
    provider.UseTitle = false;
    provider.TextFormatSpec.clear();
    provider.Language = DefaultLanguage;
    provider.ArrivalSound.clear();
    provider.SuccessfulUpdates = SuccessfulUpdatesAbsent;
}

// Bundled providers name their logos relative to the installed data files.
QString FixedImageURL(const QString& imageURL) {
    if (!imageURL.startsWith(RelativeImageMark))
        return imageURL;
    return KnownFolders::DataFolder() + QLatin1Char('/') + imageURL.mid(1);
}

Long BitIf(bool differs, Long bit) {
    return differs ? bit : 0;
}

template <typename T>
void CopyIf(Long mask, Long bit, T& target, const T& source) {
    if ((mask & bit) != 0)
        target = source;
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

XmlNode Provider::AsXML(XmlDocument& xmlDocument, const QString& strIndent, bool bDiffOnly,
                        bool bDynamic) const {
    LineElement element(xmlDocument, QStringLiteral("provider"), strIndent);
    WriteXML(element, bDiffOnly, bDynamic);
    return element.Element();
}

void Provider::WriteXML(LineSink& lines, bool bDiffOnly, bool bDynamic) const {
    ElementWriter writer(lines, bDiffOnly, PresentFlags);
    writer.Write(Tag::ProviderName, ProviderName, true, PF::ProviderName);
    writer.WriteLine(Tag::UniqueID, ToText(UniqueID));
    writer.Write(Tag::Description, Description, true, PF::Description);
    writer.Write(Tag::LastUsed, ToText(LastUsed), bDynamic);
    writer.Write(Tag::Active, ToText(Active), !Active);
    writer.Write(Tag::UserCategory, ToText(UserCategory), UserCategory);
    writer.Write(Tag::RefreshMinutes, ToText(RefreshMinutes),
                 RefreshMinutes != DefaultRefreshMinutes, PF::RefreshMinutes);
    writer.Write(Tag::BackColor, ToText(BackColor), true, PF::BackColor);
    writer.Write(Tag::DataURL, Protected ? DataURLScrambler::Encode(DataURL) : DataURL, true,
                 PF::DataURL);
    writer.Write(Tag::SiteURL, SiteURL, true, PF::SiteURL);
    if (!ImageURL.isEmpty())
        writer.Write(Tag::ImageURL, ImageURL, true, PF::ImageURL);
    writer.Write(Tag::Category, Category, true, PF::Category);
    writer.Write(Tag::Origin, ToText(Origin), Origin != DefaultOrigin);
    writer.Write(Tag::NeedsDetails, ToText(NeedsDetails), NeedsDetails);
    writer.Write(Tag::IsTextFormat, ToText(IsTextFormat()), IsTextFormat(), PF::IsTextFormat);
    writer.Write(Tag::UseTitle, ToText(UseTitle), UseTitle, PF::UseTitle);
    writer.Write(Tag::TextFormatSpec, TextFormatSpec, !TextFormatSpec.isEmpty(),
                 PF::TextFormatSpec);
    writer.Write(Tag::Language, ToText(Language), Language != DefaultLanguage, PF::Language);
    writer.Write(Tag::AttemptedUpdates, ToText(AttemptedUpdates), bDynamic);
    writer.Write(Tag::SuccessfulUpdates, ToText(SuccessfulUpdates),
                 bDynamic && SuccessfulUpdates != AttemptedUpdates);
    writer.Write(Tag::LastLoadDuration, ToText(LastLoadDuration), bDynamic);
    writer.Write(Tag::TotalLoadDuration, ToText(TotalLoadDuration), bDynamic);
    writer.Write(Tag::ArrivalSound, ArrivalSound, !ArrivalSound.isEmpty(), PF::ArrivalSound);
}

bool Provider::FromXML(const XmlNode& xmlProvider, bool bFixImages) {
    ResetBeforeReading(*this);
    bool clean = true;
    for (const XmlNode& child : XmlChildren(xmlProvider))
        clean = ReadChild(*this, child) && clean;
    if (bFixImages && (PresentFlags & PF::ImageURL) != 0)
        ImageURL = FixedImageURL(ImageURL);
    // A file may ask for any interval; the program never polls a site more
    // often than the site's minimum.
    const int minimumMinutes = 60 * ProviderConstants::MinimumRefreshHours(SiteURL);
    RefreshMinutes = static_cast<Integer>(std::max<int>(RefreshMinutes, minimumMinutes));
    if (SuccessfulUpdates == SuccessfulUpdatesAbsent)
        SuccessfulUpdates = AttemptedUpdates;
    return clean;
}

Long Provider::Diff(const Provider& proNew) const {
    return BitIf(ProviderName != proNew.ProviderName, PF::ProviderName) |
           BitIf(Description != proNew.Description, PF::Description) |
           BitIf(RefreshMinutes != proNew.RefreshMinutes, PF::RefreshMinutes) |
           BitIf(BackColor != proNew.BackColor, PF::BackColor) |
           BitIf(DataURL != proNew.DataURL, PF::DataURL) |
           BitIf(SiteURL != proNew.SiteURL, PF::SiteURL) |
           BitIf(ImageURL != proNew.ImageURL, PF::ImageURL) |
           BitIf(Origin != proNew.Origin, PF::Origin) |
           BitIf(UseTitle != proNew.UseTitle, PF::UseTitle) |
           BitIf(Category != proNew.Category, PF::Category) |
           BitIf(Language != proNew.Language, PF::Language) |
           BitIf(IsTextFormat() != proNew.IsTextFormat(), PF::IsTextFormat) |
           BitIf(TextFormatSpec != proNew.TextFormatSpec, PF::TextFormatSpec) |
           BitIf(ArrivalSound != proNew.ArrivalSound, PF::ArrivalSound);
}

void Provider::ApplyAsPresent(const Provider& proPresent) {
    const Long mask = proPresent.PresentFlags;
    CopyIf(mask, PF::ProviderName, ProviderName, proPresent.ProviderName);
    CopyIf(mask, PF::Description, Description, proPresent.Description);
    CopyIf(mask, PF::RefreshMinutes, RefreshMinutes, proPresent.RefreshMinutes);
    CopyIf(mask, PF::BackColor, BackColor, proPresent.BackColor);
    CopyIf(mask, PF::DataURL, DataURL, proPresent.DataURL);
    CopyIf(mask, PF::SiteURL, SiteURL, proPresent.SiteURL);
    CopyIf(mask, PF::ImageURL, ImageURL, proPresent.ImageURL);
    CopyIf(mask, PF::Origin, Origin, proPresent.Origin);
    CopyIf(mask, PF::TextFormatSpec, TextFormatSpec, proPresent.TextFormatSpec);
    CopyIf(mask, PF::UseTitle, UseTitle, proPresent.UseTitle);
    CopyIf(mask, PF::Category, Category, proPresent.Category);
    CopyIf(mask, PF::Language, Language, proPresent.Language);
    if ((mask & PF::IsTextFormat) != 0)
        SetIsTextFormat(proPresent.IsTextFormat());
    CopyIf(mask, PF::ArrivalSound, ArrivalSound, proPresent.ArrivalSound);
}

void Provider::PresetStoryCollection() {
    if (!stCollStories || !ProviderConstants::IsAttributedSite(SiteURL))
        return;
    const QString title =
        QStringLiteral("*** ") + ProviderConstants::AttributionTitle + QStringLiteral(" ***");
    stCollStories->Add(title, QString(), ProviderConstants::AttributionHomePage, Date(), 0, false);
}

qsizetype Provider::FindArticle(qsizetype nCurrentPos, bool bForward, const QString& sMatch) const {
    if (!stCollStories)
        return -1;
    const StoryCollection& stories = *stCollStories;
    const QString match = sMatch.toLower();
    const qsizetype count = stories.Count();
    const qsizetype step = bForward ? 1 : -1;
    // A start far outside the collection is brought to its edge so that only
    // stories are looked at.
    qsizetype position = bForward ? std::max<qsizetype>(nCurrentPos + 1, 1)
                                  : std::min<qsizetype>(nCurrentPos - 1, count);
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
    const quint32 counter = temporaryIDCounter.fetch_add(1);
    return static_cast<Long>(counter | static_cast<quint32>(TemporaryIDMask));
}

bool Provider::IsTemporaryID(Long lUniqueID) {
    return (lUniqueID & TemporaryIDMask) == TemporaryIDMask;
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
