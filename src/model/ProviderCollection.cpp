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

std::size_t ProviderCollection::Offset(qsizetype nIndex) const {
    if (nIndex < 1 || nIndex > Count())
        throw ProgramError(QStringLiteral("no provider at position %1").arg(nIndex));
    return static_cast<std::size_t>(nIndex - 1);
}

std::shared_ptr<Provider> ProviderCollection::Append(std::shared_ptr<Provider> proProvider) {
    proProvider->stCollStories = std::make_shared<StoryCollection>();
    proProvider->tStart = Currency();
    proProvider->FirstInCategory = false;
    if (Provider::IsTemporaryID(proProvider->UniqueID))
        proProvider->UniqueID = Provider::NewUniqueProviderID();
    proProvider->SetPendingFetch(nullptr);
    m_providers.push_back(proProvider);
    if (!proProvider->Category.isEmpty())
        m_categories.EnsureCategory(proProvider->Category, true, true);
    return proProvider;
}

std::shared_ptr<Provider> ProviderCollection::Add(std::shared_ptr<Provider> proProvider) {
    proProvider->DataType = 0;
    proProvider->MinutesToNextRefresh = 0;
    proProvider->PendingOperations = 0;
    proProvider->ErrorReported = false;
    proProvider->Renewed = false;
    proProvider->BrandNew = false;
    return Append(std::move(proProvider));
}

std::shared_ptr<Provider> ProviderCollection::AddFromXML(const XmlNode& xmlProvider,
                                                         bool bFixImages, bool* clean) {
    auto provider = std::make_shared<Provider>();
    const bool read = provider->FromXML(xmlProvider, bFixImages);
    if (clean)
        *clean = read;
    return Append(provider);
}

std::shared_ptr<ObsoleteProvider> ProviderCollection::AddObsolete(Long lUniqueID) {
    auto obsolete = std::make_shared<ObsoleteProvider>();
    obsolete->UniqueID = lUniqueID;
    m_obsolete.push_back(obsolete);
    return obsolete;
}

std::shared_ptr<ObsoleteProvider>
ProviderCollection::AddObsoleteFromXML(const XmlNode& xmlObsoleteProvider, bool* clean) {
    auto obsolete = std::make_shared<ObsoleteProvider>();
    const bool read = obsolete->FromXML(xmlObsoleteProvider);
    if (clean)
        *clean = read;
    m_obsolete.push_back(obsolete);
    return obsolete;
}

std::shared_ptr<Provider> ProviderCollection::Item(qsizetype nIndex) const {
    return m_providers[Offset(nIndex)];
}

void ProviderCollection::Remove(qsizetype nIndex) {
    m_providers.erase(m_providers.begin() + static_cast<std::ptrdiff_t>(Offset(nIndex)));
}

void ProviderCollection::RemoveProvider(const Provider& proProvider) {
    const qsizetype position = LocateProviderByUniqueID(proProvider.UniqueID);
    if (position < 0)
        return;
    Item(position)->CancelPendingRequest();
    Remove(position);
}

std::shared_ptr<ObsoleteProvider> ProviderCollection::ObsoleteItem(qsizetype nIndex) const {
    if (nIndex < 1 || nIndex > ObsoleteCount())
        throw ProgramError(QStringLiteral("no obsolete provider at position %1").arg(nIndex));
    return m_obsolete[static_cast<std::size_t>(nIndex - 1)];
}

qsizetype ProviderCollection::LocateProvider(const QString& strProviderName) const {
    return LocateProviderAfter(strProviderName, 0);
}

qsizetype ProviderCollection::LocateProviderAfter(const QString& strProviderName,
                                                  qsizetype nAfter) const {
    const QString key = strProviderName.toUpper();
    for (std::size_t i = static_cast<std::size_t>(std::max<qsizetype>(nAfter, 0));
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

qsizetype ProviderCollection::LocateProviderByURL(const QString& strURL) const {
    return FirstWhere(m_providers, [&](const Provider& p) { return p.DataURL == strURL; });
}

qsizetype ProviderCollection::LocateProviderByUniqueID(Long lUniqueID) const {
    return FirstWhere(m_providers, [&](const Provider& p) { return p.UniqueID == lUniqueID; });
}

qsizetype ProviderCollection::LocateProviderInAliasSet(const AliasSet& asAliasSet) const {
    return FirstWhere(m_providers,
                      [&](const Provider& p) { return asAliasSet.IncludesURL(p.DataURL); });
}

qsizetype ProviderCollection::LocateFirstProviderInCategory(const QString& strCategory) const {
    return FirstWhere(m_providers, [&](const Provider& p) { return p.Category == strCategory; });
}

qsizetype ProviderCollection::LocateLastProviderInCategory(const QString& strCategory) const {
    for (std::size_t i = m_providers.size(); i > 0; --i) {
        if (m_providers[i - 1]->Category == strCategory)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

std::shared_ptr<Provider>
ProviderCollection::LocateFirstActiveProviderInCategory(const QString& strCategory) const {
    const qsizetype position = FirstWhere(
        m_providers, [&](const Provider& p) { return p.Active && p.Category == strCategory; });
    return position < 0 ? nullptr : Item(position);
}

bool ProviderCollection::CategoryHasActiveProviders(const QString& strCategory) const {
    return LocateFirstActiveProviderInCategory(strCategory) != nullptr;
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

void ProviderCollection::MoveProvidersUp(qsizetype nIndex, qsizetype nCount) {
    if (nCount < 1 || nIndex <= 1 || nIndex + nCount > Count() + 1)
        return;
    const auto first = m_providers.begin() + (nIndex - 2);
    std::rotate(first, first + 1, first + nCount + 1);
}

void ProviderCollection::MoveProvidersDown(qsizetype nIndex, qsizetype nCount) {
    if (nCount < 1 || nIndex < 1 || nIndex + nCount > Count())
        return;
    const auto first = m_providers.begin() + (nIndex - 1);
    std::rotate(first, first + nCount, first + nCount + 1);
}

void ProviderCollection::SortByName(qsizetype nIndex, qsizetype nCount) {
    if (nCount <= 1)
        return;
    const std::size_t first = Offset(nIndex);
    Offset(nIndex + nCount - 1);
    std::vector<QString> keys;
    const auto count = static_cast<std::size_t>(nCount);
    for (std::size_t i = first; i < first + count; ++i)
        keys.push_back(m_providers[i]->ProviderName.toUpper());
    for (std::size_t gap = count; gap != 0;) {
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

qsizetype ProviderCollection::AssignCategory(const QString& strCategoryFrom,
                                             const QString& strCategoryTo) {
    const QString descendantPrefix = strCategoryFrom + QLatin1Char('/');
    qsizetype moved = 0;
    for (const auto& provider : m_providers) {
        if (provider->Category == strCategoryFrom)
            provider->Category = strCategoryTo;
        else if (provider->Category.startsWith(descendantPrefix, Qt::CaseInsensitive))
            provider->Category = strCategoryTo + provider->Category.mid(strCategoryFrom.size());
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

void ProviderCollection::CancelPendingRequests(const Currency& tAge) {
    // Counter values are nanoseconds; an age of tAge seconds is
    // tAge.Scaled() * 100 000 of them.
    constexpr qint64 CountsPerUnit = 1'000'000'000 / Currency::Scale;
    qint64 age = 0;
    if (__builtin_mul_overflow(tAge.Scaled(), CountsPerUnit, &age))
        age = tAge.Scaled() < 0 ? std::numeric_limits<qint64>::min()
                                : std::numeric_limits<qint64>::max();
    const qint64 threshold = SaturatingAdd(HighResolutionCounter::Value().Scaled(), -age);
    for (const auto& provider : m_providers) {
        if ((provider->PendingOperations & PendingOperation::StoriesAndDetails) &&
            provider->tStart.Scaled() < threshold)
            provider->CancelPendingRequest();
    }
}

std::unique_ptr<ProviderCollection> ProviderCollection::Copy(ProgressReporter* frmProgress) const {
    auto copy = std::make_unique<ProviderCollection>();
    if (frmProgress) {
        frmProgress->SetStatus(QStringLiteral("Copying Categories..."));
        Open(frmProgress, m_categories.Count() + Count());
    }
    qsizetype step = 0;
    for (const auto& category : m_categories) {
        copy->m_categories.Add(category->CategoryName, category->Active, category->UserDefined);
        Step(frmProgress, ++step);
    }
    if (frmProgress)
        frmProgress->SetStatus(QStringLiteral("Copying Providers..."));
    for (const auto& provider : m_providers) {
        auto duplicate = std::make_shared<Provider>();
        ProviderField::CopyAll(*provider, *duplicate);
        copy->Add(duplicate);
        duplicate->stCollStories = provider->stCollStories;
        Step(frmProgress, ++step);
    }
    if (frmProgress)
        frmProgress->CloseProgress();
    return copy;
}

void ProviderCollection::AddElement(const XmlNode& child, bool bFixImages, bool& clean) {
    bool read = true;
    const QString tag = child.TagName();
    if (tag == ProviderTag)
        AddFromXML(child, bFixImages, &read);
    else if (tag == CategoryTag)
        m_categories.AddFromXML(child, &read);
    else if (tag == ObsoleteTag)
        AddObsoleteFromXML(child, &read);
    clean = clean && read;
}

bool ProviderCollection::LoadFile(const QString& strFile, ProgressReporter* frmProgress,
                                  bool bFixImages) {
    if (!ReadFile(strFile, frmProgress, bFixImages))
        return false;
    if (m_lastLoadLostValues)
        MessageBox::Show(LostValuesMessage(strFile));
    return true;
}

QString ProviderCollection::LostValuesMessage(const QString& strFile) {
    return QStringLiteral("Some values in %1 could not be read; they were given their defaults.")
        .arg(strFile);
}

bool ProviderCollection::ReadFile(const QString& strFile, ProgressReporter* frmProgress,
                                  bool bFixImages) {
    m_lastLoadLostValues = false;
    XmlDocument document;
    if (!document.Load(strFile)) {
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
    Open(frmProgress, children.size() - 1);
    for (qsizetype i = 0; i < children.size(); ++i) {
        Step(frmProgress, i);
        AddElement(children[i], bFixImages, clean);
    }
    if (frmProgress)
        frmProgress->CloseProgress();
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
QByteArray ProviderCollection::ToBytes(bool bDiffOnly, bool bDynamic, bool bSaveCategories,
                                       ProgressReporter* frmProgress) const {
    QByteArray out;
    out.reserve(1024 + 1024 * static_cast<qsizetype>(m_providers.size()));
    out.append("<providers v=\"")
        .append(TextConversion::ToText(Version).toUtf8())
        .append("\">\r\n");
    const qsizetype categories = m_categories.Count();
    Open(frmProgress, categories + Count() + ObsoleteCount());
    if (bSaveCategories) {
        QSet<QString> usedPaths;
        for (const auto& provider : m_providers)
            usedPaths.insert(provider->Category);
        for (qsizetype i = 1; i <= m_categories.Count(); ++i) {
            Step(frmProgress, i);
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
        Step(frmProgress, categories + static_cast<qsizetype>(i) + 1);
        out.append(ElementIndent.toUtf8());
        LineBuffer element(out, ProviderTag, ChildIndent);
        m_providers[i]->WriteXML(element, bDiffOnly, bDynamic);
        element.Finish(ElementIndent);
        out.append("\r\n");
    }
    for (std::size_t i = 0; i < m_obsolete.size(); ++i) {
        Step(frmProgress, categories + Count() + static_cast<qsizetype>(i) + 1);
        out.append("  <obsolete uniqueid=\"")
            .append(TextConversion::ToText(m_obsolete[i]->UniqueID).toUtf8())
            .append("\"/>\r\n");
    }
    return out.append("</providers>");
}

bool ProviderCollection::SaveFile(const QString& strFile, ProgressReporter* frmProgress,
                                  bool bDiffOnly, bool bDynamic, bool bSaveCategories) const {
    const QByteArray bytes = ToBytes(bDiffOnly, bDynamic, bSaveCategories, frmProgress);
    const bool saved = KnownFolders::EnsureFolder(QFileInfo(strFile).absolutePath()) &&
                       AtomicFile::Write(strFile, bytes);
    if (frmProgress)
        frmProgress->CloseProgress();
    if (!saved)
        MessageBox::ShowOperationError(QStringLiteral("ProviderCollection.SaveFile"));
    return saved;
}
