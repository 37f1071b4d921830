#include "model/ProviderCollection.h"

#include "model/LineBuffer.h"
#include "model/PendingOperation.h"
#include "model/ProgressReporter.h"
#include "model/ProviderField.h"
#include "platform/AtomicFile.h"
#include "platform/HighResolutionCounter.h"
#include "platform/KnownFolders.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "platform/TextConversion.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

const QString ProviderTag = QStringLiteral("provider");
const QString CategoryTag = QStringLiteral("category");
const QString ObsoleteTag = QStringLiteral("obsolete");
const QString VersionAttribute = QStringLiteral("v");
const QString ElementIndent = QStringLiteral("  ");
const QString ChildIndent = QStringLiteral("    ");

// Progress counts in int; a list long enough to pass its range cannot be
// held in memory.
void Open(ProgressReporter* progress, qsizetype maximum) {
    if (progress)
        progress->OpenProgress(static_cast<int>(maximum));
}

void Step(ProgressReporter* progress, qsizetype value) {
    if (progress)
        progress->UpdateProgress(static_cast<int>(value));
}

} // namespace

std::size_t ProviderCollection::Offset(qsizetype index) const {
    if (index < 1 || index > Count())
        throw ProgramError(QStringLiteral("no provider at position %1").arg(index));
    return static_cast<std::size_t>(index - 1);
}

std::shared_ptr<Provider> ProviderCollection::Append(std::shared_ptr<Provider> provider,
                                                     TemporaryID temporaryID) {
    provider->Stories = std::make_shared<StoryCollection>();
    provider->tStart = Currency();
    provider->FirstInCategory = false;
    if (Provider::IsTemporaryID(provider->UniqueID)) {
        if (temporaryID == TemporaryID::Reissue || m_temporaryIDs.contains(provider->UniqueID))
            provider->UniqueID = UnusedTemporaryID();
        m_temporaryIDs.insert(provider->UniqueID);
    }
    provider->SetPendingFetch(nullptr);
    m_providers.push_back(provider);
    if (!provider->Category.isEmpty())
        m_categories.EnsureCategory(provider->Category, true, true);
    return provider;
}

// The issuing counter wraps after 65 536 IDs, so an ID is only taken when no
// provider of the list holds it.
Long ProviderCollection::UnusedTemporaryID() const {
    for (qsizetype tries = 0; tries < Provider::TemporaryIDCount; ++tries) {
        const Long id = Provider::NewUniqueProviderID();
        if (!m_temporaryIDs.contains(id))
            return id;
    }
    throw ProgramError(QStringLiteral("every temporary provider ID is in use"));
}

std::shared_ptr<Provider> ProviderCollection::Add(std::shared_ptr<Provider> provider,
                                                  TemporaryID temporaryID) {
    provider->DataType = 0;
    provider->MinutesToNextRefresh = 0;
    provider->PendingOperations = 0;
    provider->ErrorReported = false;
    provider->Renewed = false;
    provider->BrandNew = false;
    return Append(std::move(provider), temporaryID);
}

std::shared_ptr<Provider>
ProviderCollection::AddSubscription(const QString& url, const QString& category, Long origin) {
    constexpr Long White = 0xFFFFFF;
    auto provider = std::make_shared<Provider>();
    provider->DataURL = url;
    provider->Category = category;
    provider->BackColor = White;
    provider->Origin = origin;
    provider->LastUsed = Date::FromParts(2001, 1, 1);
    provider->UniqueID = Provider::NewUniqueProviderID();
    provider->NeedsDetails = true;
    Add(provider);
    provider->BrandNew = true;
    return provider;
}

std::shared_ptr<Provider> ProviderCollection::AddFromXML(const XmlNode& element, bool fixImages,
                                                         bool* clean) {
    auto provider = std::make_shared<Provider>();
    const bool read = provider->FromXML(element, fixImages);
    if (clean)
        *clean = read;
    return Append(provider);
}

std::shared_ptr<ObsoleteProvider> ProviderCollection::AddObsolete(Long uniqueID) {
    auto obsolete = std::make_shared<ObsoleteProvider>();
    obsolete->UniqueID = uniqueID;
    m_obsolete.push_back(obsolete);
    return obsolete;
}

std::shared_ptr<ObsoleteProvider> ProviderCollection::AddObsoleteFromXML(const XmlNode& element,
                                                                         bool* clean) {
    auto obsolete = std::make_shared<ObsoleteProvider>();
    const bool read = obsolete->FromXML(element);
    if (clean)
        *clean = read;
    m_obsolete.push_back(obsolete);
    return obsolete;
}

std::shared_ptr<Provider> ProviderCollection::Item(qsizetype index) const {
    return m_providers[Offset(index)];
}

void ProviderCollection::Remove(qsizetype index) {
    const auto position = m_providers.begin() + static_cast<std::ptrdiff_t>(Offset(index));
    m_temporaryIDs.remove((*position)->UniqueID);
    m_providers.erase(position);
}

void ProviderCollection::RemoveProvider(const Provider& provider) {
    const qsizetype position = LocateProviderByUniqueID(provider.UniqueID);
    if (position < 0)
        return;
    Item(position)->CancelPendingRequest();
    Remove(position);
}

std::shared_ptr<ObsoleteProvider> ProviderCollection::ObsoleteItem(qsizetype index) const {
    if (index < 1 || index > ObsoleteCount())
        throw ProgramError(QStringLiteral("no obsolete provider at position %1").arg(index));
    return m_obsolete[static_cast<std::size_t>(index - 1)];
}

qsizetype ProviderCollection::LocateProvider(const QString& name) const {
    return LocateProviderAfter(name, 0);
}

qsizetype ProviderCollection::LocateProviderAfter(const QString& name, qsizetype after) const {
    const QString key = name.toUpper();
    for (std::size_t i = static_cast<std::size_t>(std::max<qsizetype>(after, 0));
         i < m_providers.size(); ++i) {
        if (m_providers[i]->ProviderName.toUpper() == key)
            return static_cast<qsizetype>(i + 1);
    }
    return -1;
}

namespace {

template <typename Predicate>
qsizetype FirstWhere(const std::vector<std::shared_ptr<Provider>>& providers, Predicate matches) {
    const auto found = std::find_if(providers.begin(), providers.end(),
                                    [&](const auto& provider) { return matches(*provider); });
    return found == providers.end() ? -1 : found - providers.begin() + 1;
}

} // namespace

qsizetype ProviderCollection::LocateProviderByURL(const QString& url) const {
    return FirstWhere(m_providers, [&](const Provider& p) { return p.DataURL == url; });
}

qsizetype ProviderCollection::LocateProviderByUniqueID(Long uniqueID) const {
    return FirstWhere(m_providers, [&](const Provider& p) { return p.UniqueID == uniqueID; });
}

qsizetype ProviderCollection::LocateProviderInAliasSet(const AliasSet& aliasSet) const {
    return FirstWhere(m_providers,
                      [&](const Provider& p) { return aliasSet.IncludesURL(p.DataURL); });
}

qsizetype ProviderCollection::LocateFirstProviderInCategory(const QString& category) const {
    return FirstWhere(m_providers, [&](const Provider& p) { return p.Category == category; });
}

qsizetype ProviderCollection::LocateLastProviderInCategory(const QString& category) const {
    for (std::size_t i = m_providers.size(); i > 0; --i) {
        if (m_providers[i - 1]->Category == category)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

std::shared_ptr<Provider>
ProviderCollection::LocateFirstActiveProviderInCategory(const QString& category) const {
    const qsizetype position = FirstWhere(
        m_providers, [&](const Provider& p) { return p.Active && p.Category == category; });
    return position < 0 ? nullptr : Item(position);
}

bool ProviderCollection::CategoryHasActiveProviders(const QString& category) const {
    return LocateFirstActiveProviderInCategory(category) != nullptr;
}

QString ProviderCollection::GenerateUniqueProviderName() const {
    QSet<QString> taken;
    for (const auto& provider : m_providers)
        taken.insert(provider->ProviderName.toUpper());
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("Provider%1").arg(n);
        if (!taken.contains(candidate.toUpper()))
            return candidate;
    }
}

void ProviderCollection::MoveProvidersUp(qsizetype index, qsizetype count) {
    if (count < 1 || index <= 1 || index + count > Count() + 1)
        return;
    const auto first = m_providers.begin() + (index - 2);
    std::rotate(first, first + 1, first + count + 1);
}

void ProviderCollection::MoveProvidersDown(qsizetype index, qsizetype count) {
    if (count < 1 || index < 1 || index + count > Count())
        return;
    const auto first = m_providers.begin() + (index - 1);
    std::rotate(first, first + count, first + count + 1);
}

void ProviderCollection::SortByName(qsizetype index, qsizetype count) {
    if (count <= 1)
        return;
    const std::size_t first = Offset(index);
    Offset(index + count - 1);
    std::vector<QString> keys;
    const auto length = static_cast<std::size_t>(count);
    for (std::size_t i = first; i < first + length; ++i)
        keys.push_back(m_providers[i]->ProviderName.toUpper());
    for (std::size_t gap = length; gap != 0;) {
        bool exchanged = false;
        for (std::size_t i = 0; i + gap < keys.size(); ++i) {
            if (keys[i] > keys[i + gap]) {
                std::swap(keys[i], keys[i + gap]);
                std::swap(m_providers[first + i], m_providers[first + i + gap]);
                exchanged = true;
            }
        }
        if (!exchanged)
            gap /= 2;
    }
}

void ProviderCollection::SortByCategory() {
    QHash<QString, std::vector<std::shared_ptr<Provider>>> byCategory;
    for (const auto& provider : m_providers)
        byCategory[provider->Category].push_back(provider);
    std::vector<std::shared_ptr<Provider>> sorted;
    sorted.reserve(m_providers.size());
    for (const auto& category : m_categories) {
        const auto group = byCategory.find(category->CategoryName);
        if (group == byCategory.end())
            continue;
        sorted.insert(sorted.end(), group->begin(), group->end());
        byCategory.erase(group);
    }
    // Providers no category names keep their place relative to each other,
    // after all the others: none is ever dropped.
    for (const auto& provider : m_providers) {
        if (byCategory.contains(provider->Category))
            sorted.push_back(provider);
    }
    m_providers = std::move(sorted);
}

void ProviderCollection::FlagFirstInCategory() {
    QHash<QString, Provider*> firstActive;
    for (const auto& provider : m_providers) {
        provider->FirstInCategory = false;
        if (provider->Active && !firstActive.contains(provider->Category))
            firstActive.insert(provider->Category, provider.get());
    }
    for (const auto& category : m_categories) {
        if (Provider* first = firstActive.value(category->CategoryName))
            first->FirstInCategory = true;
    }
}

void ProviderCollection::ClearFlags() {
    for (const auto& provider : m_providers) {
        provider->Renewed = false;
        provider->BrandNew = false;
    }
}

qsizetype ProviderCollection::AssignCategory(const QString& from, const QString& to) {
    const QString descendantPrefix = from + QLatin1Char('/');
    qsizetype moved = 0;
    for (const auto& provider : m_providers) {
        if (provider->Category == from)
            provider->Category = to;
        else if (provider->Category.startsWith(descendantPrefix, Qt::CaseInsensitive))
            provider->Category = to + provider->Category.mid(from.size());
        else
            continue;
        m_categories.EnsureCategory(provider->Category, true, true);
        provider->UserCategory = true;
        ++moved;
    }
    RemoveEmptyCategories();
    return moved;
}

void ProviderCollection::CountProvidersByCategory() {
    m_categories.ResetProviderCounts();
    for (const auto& provider : m_providers)
        m_categories.UpdateProviderCounts(provider->Category);
}

void ProviderCollection::RemoveEmptyCategories() {
    CountProvidersByCategory();
    for (qsizetype i = m_categories.Count(); i >= 1; --i) {
        const auto category = m_categories.Item(i);
        if (category->ProviderCount == 0 && category->DescendantProviderCount == 0)
            m_categories.Remove(i);
    }
}

void ProviderCollection::CancelPendingRequests(const Currency& age) {
    // Counter values are nanoseconds; an age of `age` seconds is
    // age.Scaled() * 100 000 of them.
    constexpr qint64 CountsPerUnit = 1'000'000'000 / Currency::Scale;
    qint64 counts = 0;
    if (__builtin_mul_overflow(age.Scaled(), CountsPerUnit, &counts))
        counts = age.Scaled() < 0 ? std::numeric_limits<qint64>::min()
                                  : std::numeric_limits<qint64>::max();
    const qint64 threshold = SaturatingAdd(HighResolutionCounter::Value().Scaled(), -counts);
    for (const auto& provider : m_providers) {
        if ((provider->PendingOperations & PendingOperation::StoriesAndDetails) &&
            provider->tStart.Scaled() < threshold)
            provider->CancelPendingRequest();
    }
}

void ProviderCollection::SortForTree(ProgressReporter* progress, const QString& categoriesStatus) {
    const auto status = [progress](const QString& text) {
        if (progress != nullptr)
            progress->SetStatus(text);
    };
    status(categoriesStatus);
    m_categories.SortByName(1, m_categories.Count());
    m_categories.ComputeVisibility();
    status(QStringLiteral("Sorting providers by category..."));
    SortByCategory();
    status(QStringLiteral("Marking first in category..."));
    FlagFirstInCategory();
}

std::unique_ptr<ProviderCollection> ProviderCollection::Copy(ProgressReporter* progress) const {
    auto copy = std::make_unique<ProviderCollection>();
    if (progress) {
        progress->SetStatus(QStringLiteral("Copying Categories..."));
        Open(progress, m_categories.Count() + Count());
    }
    qsizetype step = 0;
    for (const auto& category : m_categories) {
        copy->m_categories.Add(category->CategoryName, category->Active, category->UserDefined);
        Step(progress, ++step);
    }
    if (progress)
        progress->SetStatus(QStringLiteral("Copying Providers..."));
    for (const auto& provider : m_providers) {
        auto duplicate = std::make_shared<Provider>();
        ProviderField::CopyAll(*provider, *duplicate);
        // The copy holds the same providers: whoever remembered one by its
        // ID finds it again in the copy.
        copy->Add(duplicate, TemporaryID::Keep);
        duplicate->Stories = provider->Stories;
        Step(progress, ++step);
    }
    if (progress)
        progress->CloseProgress();
    return copy;
}

void ProviderCollection::AddElement(const XmlNode& child, bool fixImages, bool& clean) {
    bool read = true;
    const QString tag = child.TagName();
    if (tag == ProviderTag)
        AddFromXML(child, fixImages, &read);
    else if (tag == CategoryTag)
        m_categories.AddFromXML(child, &read);
    else if (tag == ObsoleteTag)
        AddObsoleteFromXML(child, &read);
    clean = clean && read;
}

bool ProviderCollection::LoadFile(const QString& file, ProgressReporter* progress, bool fixImages) {
    if (!ReadFile(file, progress, fixImages))
        return false;
    if (m_lastLoadLostValues)
        MessageBox::Show(LostValuesMessage(file));
    return true;
}

QString ProviderCollection::LostValuesMessage(const QString& file) {
    return QStringLiteral("Some values in %1 could not be read; they were given their defaults.")
        .arg(file);
}

bool ProviderCollection::ReadFile(const QString& file, ProgressReporter* progress, bool fixImages) {
    m_lastLoadLostValues = false;
    XmlDocument document;
    if (!document.Load(file)) {
        m_lastLoadError = document.LastParseError();
        return false;
    }
    m_lastLoadError = {};
    const XmlNode root = document.DocumentElement();
    bool clean = true;
    const QString version = root.GetAttribute(VersionAttribute);
    try {
        Version = version.isEmpty() ? 0 : TextConversion::ToInteger(version);
    } catch (const ProgramError&) {
        Version = 0;
        clean = false;
    }
    const QList<XmlNode> children = root.ChildNodes();
    Open(progress, children.size() - 1);
    for (qsizetype i = 0; i < children.size(); ++i) {
        Step(progress, i);
        AddElement(children[i], fixImages, clean);
    }
    if (progress)
        progress->CloseProgress();
    m_lastLoadLostValues = !clean;
    return true;
}

bool ProviderCollection::ShouldSaveCategory(const Category& category,
                                            const QSet<QString>& usedPaths) const {
    // An inactive category is kept even when only its sub-categories hold
    // providers, or the user's choice would be lost at the next start.
    return category.UserDefined || !category.Active || usedPaths.contains(category.CategoryName);
}

// Streamed rather than built as a document: the bytes are the same as
// saving the elements AsXML builds (a test holds the two together), at a
// fraction of the cost for a long list.
QByteArray ProviderCollection::ToBytes(bool diffOnly, bool dynamic, bool saveCategories,
                                       ProgressReporter* progress) const {
    QByteArray out;
    out.reserve(1024 + 1024 * static_cast<qsizetype>(m_providers.size()));
    out.append("<providers v=\"")
        .append(TextConversion::ToText(Version).toUtf8())
        .append("\">\r\n");
    const qsizetype categories = m_categories.Count();
    Open(progress, categories + Count() + ObsoleteCount());
    if (saveCategories) {
        QSet<QString> usedPaths;
        for (const auto& provider : m_providers)
            usedPaths.insert(provider->Category);
        for (qsizetype i = 1; i <= m_categories.Count(); ++i) {
            Step(progress, i);
            const auto category = m_categories.Item(i);
            if (!ShouldSaveCategory(*category, usedPaths))
                continue;
            out.append(ElementIndent.toUtf8());
            LineBuffer element(out, CategoryTag, ChildIndent);
            category->WriteXML(element);
            element.Finish(ElementIndent);
            out.append("\r\n");
        }
    }
    for (std::size_t i = 0; i < m_providers.size(); ++i) {
        Step(progress, categories + static_cast<qsizetype>(i) + 1);
        out.append(ElementIndent.toUtf8());
        LineBuffer element(out, ProviderTag, ChildIndent);
        m_providers[i]->WriteXML(element, diffOnly, dynamic);
        element.Finish(ElementIndent);
        out.append("\r\n");
    }
    for (std::size_t i = 0; i < m_obsolete.size(); ++i) {
        Step(progress, categories + Count() + static_cast<qsizetype>(i) + 1);
        out.append("  <obsolete uniqueid=\"")
            .append(TextConversion::ToText(m_obsolete[i]->UniqueID).toUtf8())
            .append("\"/>\r\n");
    }
    return out.append("</providers>");
}

bool ProviderCollection::SaveFile(const QString& file, ProgressReporter* progress, bool diffOnly,
                                  bool dynamic, bool saveCategories) const {
    const QByteArray bytes = ToBytes(diffOnly, dynamic, saveCategories, progress);
    const bool saved = KnownFolders::EnsureFolder(QFileInfo(file).absolutePath()) &&
                       AtomicFile::Write(file, bytes);
    if (progress)
        progress->CloseProgress();
    if (!saved)
        MessageBox::ShowOperationError(QStringLiteral("ProviderCollection.SaveFile"));
    return saved;
}
