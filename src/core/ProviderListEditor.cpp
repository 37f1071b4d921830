#include "core/ProviderListEditor.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include <algorithm>

namespace {

// What a provider made in the settings dialog records as its origin.
constexpr Long HandMadeOrigin = 1;

} // namespace

ProviderSubscription::Result ProviderListEditor::New(const QString& url, const QString& category) {
    // Taken before the provider joins the list, which it would not match
    // anyway while it has no name.
    const QString name = m_providers.GenerateUniqueProviderName();
    ProviderSubscription::Result result =
        ProviderSubscription(m_providers).Subscribe(url, category);
    if (result.outcome != ProviderSubscription::Outcome::Added)
        return result;
    Provider& provider = *result.provider;
    provider.ProviderName = name;
    provider.Origin = HandMadeOrigin;
    provider.Active = true;
    provider.RefreshMinutes = Provider::DefaultRefreshMinutes;
    provider.Language = Provider::DefaultLanguage;
    provider.BrandNew = false;
    return result;
}

void ProviderListEditor::Delete(const Selection& selection) {
    // From the last position up, so the earlier positions stay valid.
    for (auto it = selection.rbegin(); it != selection.rend(); ++it) {
        m_providers.Item(*it)->CancelPendingRequest();
        m_providers.Remove(*it);
    }
}

bool ProviderListEditor::IsBlock(const Selection& selection) {
    return !selection.isEmpty() && selection.last() - selection.first() + 1 == selection.size();
}

bool ProviderListEditor::CanMoveUp(const Selection& selection) const {
    return IsBlock(selection) && selection.first() > 1;
}

bool ProviderListEditor::CanMoveDown(const Selection& selection) const {
    return IsBlock(selection) && selection.last() < m_providers.Count();
}

ProviderListEditor::Selection ProviderListEditor::MoveUp(const Selection& selection) {
    if (!CanMoveUp(selection))
        return selection;
    m_providers.MoveProvidersUp(selection.first(), selection.size());
    Selection moved;
    for (qsizetype position : selection)
        moved.append(position - 1);
    return moved;
}

ProviderListEditor::Selection ProviderListEditor::MoveDown(const Selection& selection) {
    if (!CanMoveDown(selection))
        return selection;
    m_providers.MoveProvidersDown(selection.first(), selection.size());
    Selection moved;
    for (qsizetype position : selection)
        moved.append(position + 1);
    return moved;
}

void ProviderListEditor::Sort() {
    m_providers.SortByName(1, m_providers.Count());
}

void ProviderListEditor::SortSelected(const Selection& selection) {
    if (!selection.isEmpty())
        m_providers.SortByName(selection.first(), selection.size());
}

void ProviderListEditor::SetAllActive(bool active) {
    for (const std::shared_ptr<Provider>& provider : m_providers)
        provider->Active = active;
}

void ProviderListEditor::AssignCategory(Provider& provider, const QString& path) {
    provider.Category = path;
    provider.UserCategory = true;
    m_providers.Categories().EnsureCategory(path, true, true);
}

QString ProviderListEditor::DeleteQuestion(qsizetype count) {
    return count > 1 ? QStringLiteral("Delete %1 selected Headline Providers?").arg(count)
                     : QStringLiteral("Delete selected Headline Provider?");
}

QString ProviderListEditor::InactiveCategoryQuestion(const QString& path) {
    return QStringLiteral("The chosen category ('") + path +
           QStringLiteral("') is not active. Do you want to activate it?");
}

QString ProviderListEditor::CountLabel(qsizetype n, const QString& singular,
                                       const QString& plural) {
    return n == 1 ? QStringLiteral("(1 %1)").arg(singular)
                  : QStringLiteral("(%1 %2)").arg(n).arg(plural);
}

QString ProviderListEditor::ProviderCountLabel(const ProviderCollection& providers) {
    const auto active = std::count_if(providers.begin(), providers.end(),
                                      [](const auto& provider) { return provider->Active; });
    return QStringLiteral("%1 providers (%2 active)").arg(providers.Count()).arg(active);
}

QString ProviderListEditor::ArrivalSoundName(const QString& file, const QString& mediaFolder) {
    QString folder = mediaFolder;
    while (folder.endsWith(u'/'))
        folder.chop(1);
    // A folder boundary must follow, or "/sounds2/a.wav" would count as
    // inside "/sounds".
    if (folder.isEmpty() || !file.startsWith(folder + u'/'))
        return file;
    return file.mid(folder.size() + 1);
}

bool ProviderListEditor::WantsDetails(const Provider& provider) {
    return provider.NeedsDetails && provider.SiteURL.isEmpty() && provider.Description.isEmpty() &&
           provider.ImageURL.isEmpty();
}
