#pragma once

#include "config/MasterProviderSet.h"
#include "config/Settings.h"
#include "core/ProviderSubscription.h"
#include "core/StoryKeeper.h"
#include "feeds/IntakeEnvironment.h"
#include "retrieval/FlipHost.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/SchedulingPreferences.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class AliasList;
class AutoFlip;
class FeedFetcher;
class ImageCache;
class ProgramUpdateCheck;
class ProgressReporter;
class Provider;
class ProviderCollection;
class RefreshScheduler;
class SettingsStore;
class SkinSelection;
class UpdateReport;

// The running program without its window: the preferences, the provider
// list, the fetcher, the refresh scheduler and auto-flip, the provider and
// story on show, and every command a user can give. Views follow it through
// its signals and call its methods; tests drive it without a widget.
class ProgramCore : public QObject, private FlipHost, private IntakeEnvironment {
    Q_OBJECT

public:
    // `masterList` says where the master provider list is published, kept
    // and shipped; tests put local places there.
    ProgramCore(SettingsStore& store, const QString& providersFilePath,
                MasterProviderSet::Locations masterList = MasterProviderSet::DefaultLocations(),
                QObject* parent = nullptr);
    ~ProgramCore() override;

    // Start-up up to the window: the preferences (defaults for a screen of
    // `screenTwips`), the provider list brought up to date from the master
    // list (its changes told to `report`), sorted, and written when it
    // changed. True when the report has something to show.
    bool Load(const QSize& screenTwips, ProgressReporter& progress, UpdateReport& report);
    // The provider the last run ended on, else the first one the tree shows.
    void ShowStoredProvider();
    // The refresh and flip timers; never after Shutdown.
    void StartTimers();
    // Stops all activity and writes everything back; runs once.
    void Shutdown();
    bool IsShutDown() const { return m_shutDown; }
    // Writes the preferences and/or the provider list. Each failure is
    // reported on its own, and one does not stop the other. True when all
    // that was asked for was written.
    bool WriteSettingsAndProviders(bool settings, bool providers);

    Settings& ProgramSettings() { return m_settings; }
    const Settings& ProgramSettings() const { return m_settings; }
    ProviderCollection& Providers() { return *m_providers; }
    ProgramFlags& Flags() { return m_flags; }
    FeedFetcher& Fetcher() { return *m_fetcher; }
    RefreshScheduler& Scheduler() { return *m_scheduler; }
    AutoFlip& Flip() { return *m_flip; }
    // Null until Load has made it.
    ImageCache* Images() { return m_images; }
    const MasterProviderSet::Locations& MasterList() const { return m_masterList; }
    // The program's alias sets, read when first needed (AliasList::Load).
    AliasList& Aliases();
    // The skins and the one the windows wear.
    SkinSelection& Skins() { return *m_skins; }

    // Null when no provider is on show.
    const std::shared_ptr<Provider>& CurrentProvider() const { return m_current; }
    qsizetype CurrentProviderIndex() const override;
    // The selected story of the provider on show, 1-based; 0 for none.
    int CurrentStory() const { return m_story; }
    // The site image of the provider on show as a local file; empty while
    // there is none (yet).
    QString SiteImageFile() const;

    // Makes provider `index` (1-based) the one on show with its selected
    // story, and fetches it when it is due or has nothing to show.
    void ShowProvider(qsizetype index) override;
    // An active provider by its ID; nothing otherwise.
    void ShowProviderByID(Long uniqueID);
    // The user picked a provider or a category in the tree.
    void ChooseProvider(Long uniqueID);
    void ChooseCategory(const QString& path);
    // Story `row` of the provider on show becomes the selected one and is
    // shown in the article panes.
    void SelectStory(int row);
    void NextArticle();
    // The previous story; from the first one, the previous provider.
    void PreviousArticle();
    // Provider steps run after the event that asked for them has returned.
    void NextProvider();
    void PreviousProvider();
    // An auto-flip command ("PLAY", "FAST", "FLIPPROVIDERS", ...); the
    // preferences keep what it changed.
    void FlipCommand(const QString& key);
    void ReloadCurrentProvider();
    // Looks for `text` in the titles after the selected story, then in the
    // other providers' stories in list order. False when nothing matches.
    bool FindStory(const QString& text);

    void MakeProviderInactive(Long uniqueID);
    void MakeCategoryInactive(const QString& path);
    // Files the list under a renamed category: the category and the ones
    // below it take the new path and their providers follow. Only the last
    // part of `to` counts; a name another category has changes nothing.
    void RenameCategory(const QString& from, const QString& to);
    // The first run's choice of categories has been made.
    void CategoriesChosen();

    // A found or added provider is shown at once.
    ProviderSubscription::Result AddProviderByURL(const QString& url, const QString& category);

    // Story `row` of the provider on show has been open long enough to
    // read (its page loaded in the article pane).
    void MarkStoryOpened(int row);
    // "Mark All as Read": every story of the provider counts as opened.
    void MarkAllRead(Long uniqueID);

    // The selected story's full link, for the clipboard; empty for none.
    QString StoryURL() const;
    // The address that opens story `row` in a browser (through the
    // translation service where one is set); counts the reading and marks
    // the story opened.
    QString ReadStory(int row);
    // The provider's site, as a visit opens it.
    QString SiteToVisit(const Provider& provider) const;

    // Puts the preferences into effect below the window; PreferencesApplied
    // lets the views follow.
    void ApplyPreferences();
    // The stories of the provider on show are drawn again (after a change
    // of HighlightNewStories).
    void RedrawStories();

    // An edited copy of the list (the settings dialog's) becomes the list,
    // sorted as at start-up. Fetches of the old list are called off; the
    // provider on show stays on show when the copy still shows it, else the
    // first provider the tree shows does, or none.
    void AdoptProviderList(std::unique_ptr<ProviderCollection> edited,
                           ProgressReporter* progress = nullptr);

    // The program update check the user asked for; UpdateCheckAnswered
    // tells what it found. The periodic check, on the scheduler's time,
    // speaks only of a newer version (PhoneHomeDue).
    void CheckForProgramUpdate();
    bool CheckingForProgramUpdate() const;

signals:
    // A new provider on show; null when none is.
    void ProviderShown(const std::shared_ptr<Provider>& provider);
    // The provider on show got new stories; the grid is filled again with
    // `row` selected (the panes keep what they show unless StorySelected
    // follows).
    void StoriesChanged(int row);
    // Story `row` of the provider on show is now drawn as opened.
    void StoryOpened(int row);
    // A provider's name, load state or story count may have changed.
    void ProviderUpdated(const Provider& provider);
    // The story to show in the article panes; an empty `url` clears them.
    void StorySelected(int row, const QString& url, const QString& title);
    // Providers or categories were added, removed, renamed or switched off.
    void ListChanged();
    void SiteImageChanged();
    void PreferencesApplied();
    // Text for the user from work the user did not start.
    void Notice(const QString& text);
    void PlayCaptionChanged(const QString& caption);
    void PlayIconChanged(int imageIndex);
    void ArrivalSoundDue(const QString& soundFile);
    void BusyChanged(bool busy);
    // A newer version is out ("Version 1.2.0 is now available.").
    void PhoneHomeDue(const QString& text);
    // The answer to CheckForProgramUpdate, for the user who asked.
    void UpdateCheckAnswered(const QString& text);

private:
    // FlipHost
    QString CurrentCategory() const override { return m_settings.CurrentCategory; }
    bool ShowCategories() const override { return m_settings.ShowCategories; }
    int TreeSelectionValue() const override { return m_selectionValue; }
    Long SelectedTreeProviderID() const override { return m_selectedProviderID; }
    int SelectedArticleRow() const override { return m_story; }
    int ArticleRowCount() const override;
    void SelectAndShowArticle(int row) override { SelectStory(row); }

    // IntakeEnvironment
    bool HighlightNewStories() const override { return m_settings.HighlightNewStories; }
    bool PlayArrivalSounds() const override { return m_settings.PlayArrivalSounds; }
    Currency CounterNow() const override;
    void OperationCompleted() override {}
    void RestoreStories(Provider& provider) override { m_stories.Restore(provider); }
    void StoriesReplaced(Provider& provider) override;
    void LoadStateChanged(Provider& provider) override;
    void PlayArrivalSound(const QString& soundFile) override { emit ArrivalSoundDue(soundFile); }

    void ForwardTimerSignals();
    void ConnectUpdateCheck();
    void Post(std::function<void()> work);
    void OnStoriesReplaced(const Provider* provider);
    qsizetype StoryCount() const;
    QString StoryKey(int row) const;
    qsizetype RowOfKey(const QString& key) const;
    QString TranslatedURL(const Provider& provider, const QString& url) const;
    void KeepCurrentCategoryValid();
    bool IsVisibleCategory(const QString& path) const;
    void ShowFirstVisibleProvider();
    bool IsShowable(const Provider& provider) const;
    bool IsOnShow(const Provider& provider) const;
    void ShowNone();
    void CarryOverStoredState(ProviderCollection& edited) const;

    SettingsStore& m_store;
    QString m_providersFilePath;
    MasterProviderSet::Locations m_masterList;
    Settings m_settings;
    std::unique_ptr<ProviderCollection> m_providers;
    StoryKeeper m_stories;
    SchedulingPreferences m_scheduling;
    ProgramFlags m_flags;
    FeedFetcher* m_fetcher;
    RefreshScheduler* m_scheduler;
    AutoFlip* m_flip;
    ProgramUpdateCheck* m_updateCheck;
    // The check under way answers the user who asked for it.
    bool m_updateCheckAsked = false;
    ImageCache* m_images = nullptr;
    SkinSelection* m_skins;
    AliasList* m_aliases = nullptr;
    std::shared_ptr<Provider> m_current;
    int m_story = 0;
    // What the selected story is recognised by when its provider's stories
    // are replaced: its link, or its title when it has none.
    QString m_storyKey;
    int m_selectionValue = 1;
    Long m_selectedProviderID = 0;
    bool m_loaded = false;
    bool m_shutDown = false;
};
