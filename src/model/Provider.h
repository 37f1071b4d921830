#pragma once

#include "model/PendingFetch.h"
#include "model/StoryCollection.h"
#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Types.h"
#include "platform/XmlNode.h"

#include <QString>

#include <memory>

class LineSink;
class XmlDocument;

// One subscribed headline source: its feed, its place in the category tree,
// display and refresh settings, load statistics and the stories of its last
// load. Providers are shared by reference (std::shared_ptr) between the
// provider collection, the main window and retrieval.
class Provider {
public:
    // Bits 16-30 all set mark a temporary ID, valid for one run only.
    static constexpr Long TemporaryIDMask = 0x7FFF0000;
    // How many temporary IDs there are: the bits below the mask.
    static constexpr Long TemporaryIDCount = 0x10000;

    // The values FromXML starts from, which full mode leaves out.
    static constexpr Integer DefaultRefreshMinutes = 60;
    static constexpr Long DefaultOrigin = 0;
    static constexpr Long DefaultLanguage = 1;

    Provider() = default;
    Provider(const Provider&) = delete;
    Provider& operator=(const Provider&) = delete;

    // Stored fields (ProviderField lists them), with the values FromXML
    // starts from where it resets them.
    QString ProviderName;
    QString Description;
    Date LastUsed;
    // Format of the last document read; not stored.
    Long DataType = 0;
    bool Active = true;
    Integer RefreshMinutes = DefaultRefreshMinutes;
    // Packed RGB, red in the low byte.
    Long BackColor = 0;
    QString DataURL;
    QString SiteURL;
    QString ImageURL;
    Long Origin = DefaultOrigin;
    bool NeedsDetails = false;
    QString TextFormatSpec;
    Long AttemptedUpdates = 0;
    Long SuccessfulUpdates = 0;
    // Seconds.
    Currency LastLoadDuration;
    Currency TotalLoadDuration;
    QString ArrivalSound;
    bool UseTitle = false;
    QString Category;
    Long Language = DefaultLanguage;
    Long UniqueID = 0;
    bool UserCategory = false;

    // Run-time state.
    std::shared_ptr<StoryCollection> Stories;
    Integer MinutesToNextRefresh = 0;
    Long LoadState = 0;
    bool Renewed = false;
    bool BrandNew = false;
    // PendingOperation bits.
    Integer PendingOperations = 0;
    bool ErrorReported = false;
    // The data URL is stored in scrambled form.
    bool Protected = false;
    // High-resolution counter value when the pending request started.
    Currency tStart;
    bool FirstInCategory = false;
    // PresentField bits: the fields the last FromXML found, or the fields
    // that differ for a provider built from a delta set.
    Long PresentFlags = 0;

    // A text-format feed is read through an HTTP request rather than as an
    // XML document; changing this calls off an outstanding fetch.
    bool IsTextFormat() const { return m_isTextFormat; }
    void SetIsTextFormat(bool value);

    void ResetStatistics();

    // The "provider" element, one child per line, each started by indent.
    // Full mode writes every field (run-time statistics when dynamic); diff
    // mode writes uniqueid and the fields named in PresentFlags.
    XmlNode AsXML(XmlDocument& document, const QString& indent, bool diffOnly, bool dynamic) const;
    // The children AsXML writes, into any sink.
    void WriteXML(LineSink& lines, bool diffOnly, bool dynamic) const;
    // Reads a "provider" element over the FromXML defaults. A value that
    // cannot be read keeps its default and the rest is still read; returns
    // false when that happened.
    bool FromXML(const XmlNode& element, bool fixImages);

    // The fields in which `other` differs (PresentField bits).
    Long Diff(const Provider& other) const;
    // Copies the fields named in source.PresentFlags.
    void ApplyAsPresent(const Provider& source);
    // Adds the provider's attribution headline, if it has one, to its
    // (fresh) story collection.
    void PresetStoryCollection();
    // The next (or previous) story after position `current` whose title
    // contains `text`, letter case ignored; -1 when there is none.
    qsizetype FindArticle(qsizetype current, bool forward, const QString& text) const;

    // Calls off the fetch in flight, if any.
    void CancelPendingRequest();
    void SetPendingFetch(std::unique_ptr<PendingFetch> fetch);
    PendingFetch* GetPendingFetch() const { return m_pendingFetch.get(); }

    // The next temporary ID of this run.
    static Long NewUniqueProviderID();
    static bool IsTemporaryID(Long id);
    // The text shown for an origin code.
    static QString OriginText(Long origin);

private:
    bool m_isTextFormat = false;
    std::unique_ptr<PendingFetch> m_pendingFetch;
};
