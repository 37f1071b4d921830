#pragma once

#include "core/ProviderSubscription.h"

#include <QList>
#include <QString>

#include <memory>

class Provider;
class ProviderCollection;

// The commands of the settings dialog's provider list, carried out on the
// dialog's working copy. A selection is the sorted list of selected
// positions (1 ... Count).
class ProviderListEditor {
public:
    using Selection = QList<qsizetype>;

    explicit ProviderListEditor(ProviderCollection& providers)
        : m_providers(providers) {}

    // Subscribes to `url` in `category` as a provider made by hand: named
    // "Provider<n>" until its details arrive, active, refreshed hourly, in
    // English, its details still to fetch. A feed the list has already is
    // found instead (and made active again).
    ProviderSubscription::Result New(const QString& url, const QString& category);
    // Removes the selected providers, calling off their fetches.
    void Delete(const Selection& selection);

    // A selection moves only as one block that has room to move.
    bool CanMoveUp(const Selection& selection) const;
    bool CanMoveDown(const Selection& selection) const;
    // The block one place up (down); the result is where it is now.
    Selection MoveUp(const Selection& selection);
    Selection MoveDown(const Selection& selection);

    void Sort();
    // Sorts by name the block that starts at the first selected provider and
    // is as long as the selection.
    void SortSelected(const Selection& selection);
    void SetAllActive(bool active);
    // Files `provider` under `path` as the user's own choice.
    void AssignCategory(Provider& provider, const QString& path);

    // The question asked before deleting `count` selected providers.
    static QString DeleteQuestion(qsizetype count);
    // The question asked when the chosen category is switched off.
    static QString InactiveCategoryQuestion(const QString& path);
    // "(1 second)", "(15 seconds)".
    static QString CountLabel(qsizetype n, const QString& singular, const QString& plural);
    // "12 providers (9 active)".
    static QString ProviderCountLabel(const ProviderCollection& providers);
    // How a sound file is stored: a file inside `mediaFolder` by its path
    // below that folder (which is where ArrivalSound looks for it), any
    // other file by its full path.
    static QString ArrivalSoundName(const QString& file, const QString& mediaFolder);
    // A provider whose feed has named nothing of itself yet: its details are
    // worth asking for.
    static bool WantsDetails(const Provider& provider);

private:
    static bool IsBlock(const Selection& selection);

    ProviderCollection& m_providers;
};
