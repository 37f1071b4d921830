#pragma once

#include "model/AliasSet.h"
#include "model/CategoryCollection.h"
#include "model/ObsoleteProvider.h"
#include "model/Provider.h"
#include "platform/Currency.h"
#include "platform/Types.h"
#include "platform/XmlDocument.h"

#include <QSet>
#include <QString>

#include <memory>
#include <vector>

class ProgressReporter;

// The providers in the order the user sees them, the categories they are
// filed under, the IDs of withdrawn providers and a version number; read from
// and written to one XML file (the user's providers file, and the provider
// sets of the master list). Positions are 1 ... Count; lookups give -1 when
// nothing matches.
class ProviderCollection {
public:
    // What Add does with a temporary ID: a new one is issued (an ID read
    // from a file may be one this run issues again), or the ID is kept while
    // no other provider of the list holds it.
    enum class TemporaryID { Reissue, Keep };

    // Appends a provider whose stored fields the caller has filled; its
    // run-time state starts afresh (see Append).
    std::shared_ptr<Provider> Add(std::shared_ptr<Provider> provider,
                                  TemporaryID temporaryID = TemporaryID::Reissue);
    // Appends a provider read from a "provider" element. `clean` (when
    // given) is set false when a value could not be read.
    std::shared_ptr<Provider> AddFromXML(const XmlNode& element, bool fixImages,
                                         bool* clean = nullptr);
    // Appends a provider the user has just subscribed to: active, white,
    // with a new ID, and with its name and logo to be fetched (NeedsDetails)
    // since nothing but the feed's address is known yet.
    std::shared_ptr<Provider> AddSubscription(const QString& url, const QString& category,
                                              Long origin);
    std::shared_ptr<ObsoleteProvider> AddObsolete(Long uniqueID);
    std::shared_ptr<ObsoleteProvider> AddObsoleteFromXML(const XmlNode& element,
                                                         bool* clean = nullptr);

    // Positions outside 1 ... Count throw ProgramError.
    std::shared_ptr<Provider> Item(qsizetype index) const;
    qsizetype Count() const { return static_cast<qsizetype>(m_providers.size()); }
    void Remove(qsizetype index);
    // Calls off the fetch of the first provider with the UniqueID of
    // `provider` and removes it.
    void RemoveProvider(const Provider& provider);

    std::shared_ptr<ObsoleteProvider> ObsoleteItem(qsizetype index) const;
    qsizetype ObsoleteCount() const { return static_cast<qsizetype>(m_obsolete.size()); }

    CategoryCollection& Categories() { return m_categories; }
    const CategoryCollection& Categories() const { return m_categories; }
    Integer Version = 0;

    // Letter case ignored.
    qsizetype LocateProvider(const QString& name) const;
    qsizetype LocateProviderAfter(const QString& name, qsizetype after) const;
    // Exact text.
    qsizetype LocateProviderByURL(const QString& url) const;
    qsizetype LocateProviderByUniqueID(Long uniqueID) const;
    qsizetype LocateProviderInAliasSet(const AliasSet& aliasSet) const;
    // Category paths compare exactly; descendants do not count.
    qsizetype LocateFirstProviderInCategory(const QString& category) const;
    qsizetype LocateLastProviderInCategory(const QString& category) const;
    std::shared_ptr<Provider> LocateFirstActiveProviderInCategory(const QString& category) const;
    bool CategoryHasActiveProviders(const QString& category) const;

    // "Provider1", "Provider2", ...: the first name no provider has.
    QString GenerateUniqueProviderName() const;
    // Move the block of `count` providers at `index` one place; nothing
    // happens when the block cannot move.
    void MoveProvidersUp(qsizetype index, qsizetype count);
    void MoveProvidersDown(qsizetype index, qsizetype count);

    // By upper-case name, with a diminishing-gap exchange sort whose order for
    // names equal but for letter case users have always seen.
    void SortByName(qsizetype index, qsizetype count);
    // Providers grouped in the order of Categories; providers whose category
    // is empty or unknown follow, in their previous order.
    void SortByCategory();
    // The order the tree shows: categories by name with their visibility,
    // providers grouped by category, the first of each flagged. Each step is
    // named to `progress`, the first as `categoriesStatus`.
    void SortForTree(ProgressReporter* progress, const QString& categoriesStatus);
    void FlagFirstInCategory();
    void ClearFlags();
    // Moves the providers of category `from` and its descendants under `to`;
    // returns how many moved.
    qsizetype AssignCategory(const QString& from, const QString& to);
    void CountProvidersByCategory();
    void RemoveEmptyCategories();
    // Calls off every fetch that started more than `age` seconds ago; a
    // negative age calls off all.
    void CancelPendingRequests(const Currency& age);

    // A working copy: same categories, providers with the same stored fields
    // sharing the original's story collections. Version and obsolete records
    // are not copied.
    std::unique_ptr<ProviderCollection> Copy(ProgressReporter* progress) const;

    // Adds the file's categories, providers and obsolete records to the
    // collection. False when the file is missing or not well-formed
    // (LastLoadError says why and where); nothing is added then. Values that
    // cannot be read keep their defaults (LastLoadLostValues), and the user
    // is told once.
    bool LoadFile(const QString& file, ProgressReporter* progress, bool fixImages);
    // LoadFile without telling the user, for a caller that acts on lost
    // values first and says so itself.
    bool ReadFile(const QString& file, ProgressReporter* progress, bool fixImages);
    const XmlDocument::ParseError& LastLoadError() const { return m_lastLoadError; }
    bool LastLoadLostValues() const { return m_lastLoadLostValues; }
    // What the user is told when values of `file` could not be read.
    static QString LostValuesMessage(const QString& file);
    // Writes the collection atomically: on failure the previous file stays as
    // it was, "Error in ProviderCollection.SaveFile!" is shown and the result
    // is false.
    bool SaveFile(const QString& file, ProgressReporter* progress, bool diffOnly, bool dynamic,
                  bool saveCategories) const;
    // The document SaveFile writes.
    QByteArray ToBytes(bool diffOnly, bool dynamic, bool saveCategories,
                       ProgressReporter* progress = nullptr) const;

    auto begin() const { return m_providers.begin(); }
    auto end() const { return m_providers.end(); }

private:
    std::size_t Offset(qsizetype index) const;
    std::shared_ptr<Provider> Append(std::shared_ptr<Provider> provider,
                                     TemporaryID temporaryID = TemporaryID::Reissue);
    Long UnusedTemporaryID() const;
    bool ShouldSaveCategory(const Category& category, const QSet<QString>& usedPaths) const;
    void AddElement(const XmlNode& child, bool fixImages, bool& clean);

    std::vector<std::shared_ptr<Provider>> m_providers;
    std::vector<std::shared_ptr<ObsoleteProvider>> m_obsolete;
    // The temporary IDs the providers hold; they must differ.
    QSet<Long> m_temporaryIDs;
    CategoryCollection m_categories;
    XmlDocument::ParseError m_lastLoadError;
    bool m_lastLoadLostValues = false;
};
