#include "core/ProgramCore.h"

#include "config/ProgramUpdateCheck.h"
#include "config/ProgramVersion.h"
#include "config/ProviderListStartup.h"
#include "config/SettingsIO.h"
#include "core/CategoryEditor.h"
#include "core/SkinSelection.h"
#include "feeds/FeedFormat.h"
#include "feeds/Languages.h"
#include "model/ProgressReporter.h"
#include "model/ProviderCollection.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/HighResolutionCounter.h"
#include "platform/MessageBox.h"
#include "platform/OutsideAddresses.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "retrieval/AliasList.h"
#include "retrieval/AutoFlip.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/ImageCache.h"
#include "retrieval/RefreshScheduler.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <utility>

ProgramCore::ProgramCore(SettingsStore& store, const QString& providersFilePath,
                         MasterProviderSet::Locations masterList, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_providersFilePath(providersFilePath)
    , m_masterList(std::move(masterList))
    , m_providers(std::make_unique<ProviderCollection>())
    , m_stories(QFileInfo(providersFilePath).dir().filePath(QStringLiteral("stories.sqlite")))
    , m_fetcher(new FeedFetcher(*this, this))
    , m_scheduler(
          new RefreshScheduler(*m_providers, *m_fetcher, *this, m_scheduling, m_flags, this))
    , m_flip(new AutoFlip(*m_providers, *m_scheduler, *this, m_scheduling, m_flags, this))
    , m_updateCheck(new ProgramUpdateCheck(OutsideAddresses::ProductsURL(), ProgramVersionString(),
                                           ProgramUpdateCheck::DefaultLimit, this))
    , m_skins(new SkinSelection(this)) {
    BackgroundNotice::SetSink([this](const QString& text) { emit Notice(text); });
    ForwardTimerSignals();
    ConnectUpdateCheck();
}

ProgramCore::~ProgramCore() {
    BackgroundNotice::SetSink(nullptr);
    // They hold the provider list, which goes before the children would.
    delete m_flip;
    delete m_scheduler;
    delete m_fetcher;
}

AliasList& ProgramCore::Aliases() {
    if (m_aliases == nullptr)
        m_aliases = new AliasList(AliasList::DefaultLocations(), std::chrono::seconds(30), this);
    return *m_aliases;
}

bool ProgramCore::Load(const QSize& screenTwips, ProgressReporter& progress, UpdateReport& report) {
    SettingsIO::SetDefaultSettings(m_settings, screenTwips);
    SettingsIO::ReadSettings(m_store, ProgramName(), m_settings);
    // Every run starts with the category tree hidden, whatever was stored.
    m_settings.ShowCategories = false;
    m_skins->Load(m_settings.SkinDirectory, m_settings.CurrentSkin);
    progress.SetStatus(QStringLiteral("Creating global data..."));
    progress.SetStatus(QStringLiteral("Resetting state..."));
    m_settings.Invocations = SaturatingAdd(m_settings.Invocations, 1);
    ProviderListStartup list(*m_providers, m_settings, m_masterList, progress);
    bool listChanged = list.LoadProviderList(m_providersFilePath);
    bool reportChanged = false;
    listChanged = list.UpdateFromMasterList(report, reportChanged) || listChanged;
    list.SortProviderList();
    m_stories.Start(*m_providers, m_settings);
    const QString category = m_settings.CurrentCategory;
    KeepCurrentCategoryValid();
    if (listChanged) {
        progress.SetStatus(QStringLiteral("Writing settings and providers..."));
        WriteSettingsAndProviders(true, true);
    } else if (category != m_settings.CurrentCategory) {
        WriteSettingsAndProviders(true, false);
    }
    m_images = new ImageCache(m_settings.TempDirectory, this);
    connect(m_images, &ImageCache::ImageArrived, this, &ProgramCore::SiteImageChanged);
    m_fetcher->SetCharsRead(m_settings.CharsRead);
    m_loaded = true;
    return reportChanged;
}

void ProgramCore::ShowStoredProvider() {
    const qsizetype stored = m_providers->LocateProvider(m_settings.CurrentProvider);
    if (stored >= 1 && m_providers->Item(stored)->Active)
        ShowProvider(stored);
    else
        ShowFirstVisibleProvider();
}

void ProgramCore::StartTimers() {
    // The first-run window can outlive a shutdown begun from the tray menu.
    if (m_shutDown)
        return;
    m_scheduler->Start();
    m_flip->Start();
}

// Before the list is loaded there is nothing of the run's to keep, and
// writing would put an empty list over the user's file.
void ProgramCore::Shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_updateCheck->Cancel();
    if (!m_loaded)
        return;
    // No new fetch may start, and no completion may change a provider while
    // the file is written.
    m_scheduler->Stop();
    m_flip->Stop();
    m_providers->CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    m_settings.CurrentProvider = m_current != nullptr ? m_current->ProviderName : QString();
    m_settings.ProviderCount = static_cast<qint32>(m_providers->Count());
    m_settings.CharsRead = m_fetcher->CharsRead();
    WriteSettingsAndProviders(true, true);
}

bool ProgramCore::WriteSettingsAndProviders(bool settings, bool providers) {
    bool written = true;
    if (settings) {
        try {
            SettingsIO::WriteSettings(m_store, ProgramName(), m_settings);
        } catch (const ProgramError&) {
            MessageBox::ShowOperationError(QStringLiteral("WriteSettingsAndProviders"));
            written = false;
        }
    }
    // Settings that cannot be written must not cost the run's changes to the
    // provider list.
    if (providers)
        written = m_providers->SaveFile(m_providersFilePath, nullptr, false, true, true) && written;
    return written;
}

qsizetype ProgramCore::CurrentProviderIndex() const {
    if (m_current == nullptr)
        return 0;
    return std::max<qsizetype>(m_providers->LocateProviderByUniqueID(m_current->UniqueID), 0);
}

QString ProgramCore::SiteImageFile() const {
    if (m_current == nullptr || m_images == nullptr || m_current->ImageURL.isEmpty())
        return {};
    try {
        return m_images->LocalImageFile(m_current->ImageURL);
    } catch (const ProgramError&) {
        // A logo that is not there is simply not shown.
        return {};
    }
}

void ProgramCore::ShowProvider(qsizetype index) {
    if (index < 1 || index > m_providers->Count())
        return;
    emit BusyChanged(true);
    m_current = m_providers->Item(index);
    m_selectedProviderID = m_current->UniqueID;
    ++m_selectionValue;
    Provider& provider = *m_current;
    m_stories.Restore(provider);
    if (provider.NeedsDetails && provider.Origin != 0)
        m_fetcher->GrabProviderDetails(provider);
    emit ProviderShown(m_current);
    emit SiteImageChanged();
    SelectStory(StoryCount() > 0 ? 1 : 0);
    if (provider.LoadState != LoadState::LoadedWithNewStories ||
        provider.MinutesToNextRefresh == 0 || StoryCount() == 0)
        m_fetcher->GrabStories(provider);
    emit BusyChanged(false);
}

void ProgramCore::ShowProviderByID(Long uniqueID) {
    const qsizetype index = m_providers->LocateProviderByUniqueID(uniqueID);
    if (index >= 1 && m_providers->Item(index)->Active)
        ShowProvider(index);
}

void ProgramCore::ChooseProvider(Long uniqueID) {
    if (m_flags.UserBusy)
        return;
    m_settings.ProviderSingleClicks = SaturatingAdd(m_settings.ProviderSingleClicks, 1);
    m_flip->ResetFlipCountdown();
    ShowProviderByID(uniqueID);
    m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, false);
}

void ProgramCore::ChooseCategory(const QString& path) {
    if (m_flags.UserBusy)
        return;
    m_settings.CurrentCategory = path;
    m_selectedProviderID = 0;
    ++m_selectionValue;
}

void ProgramCore::SelectStory(int row) {
    m_flip->ResetFlipCountdown();
    if (row < 1 || row > StoryCount())
        row = 0;
    m_story = row;
    m_storyKey = StoryKey(row);
    if (row == 0) {
        emit StorySelected(0, QString(), QString());
        return;
    }
    emit StorySelected(row, TranslatedURL(*m_current, m_current->Stories->ItemURL(row)),
                       m_current->Stories->Item(row).Title);
}

void ProgramCore::NextArticle() {
    m_flip->ToNextArticle();
}

void ProgramCore::PreviousArticle() {
    if (m_story <= 1)
        PreviousProvider();
    else
        SelectStory(m_story - 1);
}

void ProgramCore::NextProvider() {
    Post([this] { m_flip->NextProvider(); });
}

void ProgramCore::PreviousProvider() {
    Post([this] { m_flip->PreviousProvider(); });
}

void ProgramCore::FlipCommand(const QString& key) {
    if (!m_flip->Command(key))
        return;
    m_settings.AutoFlip = m_scheduling.AutoFlip;
    m_settings.FlipInterval = m_scheduling.FlipInterval;
    m_settings.FlipProviders = m_scheduling.FlipProviders;
}

void ProgramCore::ReloadCurrentProvider() {
    m_scheduler->ReloadCurrentProvider();
}

bool ProgramCore::FindStory(const QString& text) {
    const qsizetype count = m_providers->Count();
    const qsizetype start = CurrentProviderIndex();
    if (text.isEmpty() || count == 0 || start == 0)
        return false;
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype index = (start - 1 + step) % count + 1;
        Provider& provider = *m_providers->Item(index);
        if (provider.Stories == nullptr || (step > 0 && !provider.Active))
            continue;
        m_stories.Restore(provider);
        const qsizetype after = step == 0 ? qsizetype(m_story) : qsizetype(0);
        const qsizetype found = provider.FindArticle(after, true, text);
        if (found < 1)
            continue;
        if (step > 0)
            ShowProvider(index);
        SelectStory(static_cast<int>(found));
        return true;
    }
    return false;
}

void ProgramCore::MakeProviderInactive(Long uniqueID) {
    const qsizetype index = m_providers->LocateProviderByUniqueID(uniqueID);
    if (index < 1)
        return;
    m_providers->Item(index)->Active = false;
    emit ListChanged();
    if (index != CurrentProviderIndex())
        return;
    const qsizetype next = m_scheduler->NextBackgroundIndex(index, false);
    if (next != index)
        ShowProvider(next);
    else
        ShowNone();
}

void ProgramCore::MakeCategoryInactive(const QString& path) {
    CategoryCollection& categories = m_providers->Categories();
    const qsizetype position = categories.LocateCategory(path);
    if (position < 1)
        return;
    categories.Item(position)->Active = false;
    categories.ComputeVisibility();
    KeepCurrentCategoryValid();
    emit ListChanged();
    if (m_current != nullptr && !IsVisibleCategory(m_current->Category))
        ShowFirstVisibleProvider();
}

void ProgramCore::RenameCategory(const QString& from, const QString& to) {
    CategoryCollection& categories = m_providers->Categories();
    // A node's path may differ in letter case from the stored one, under
    // which the providers are filed.
    const qsizetype position = categories.LocateCategory(from);
    if (position < 1)
        return;
    const QString stored = categories.Item(position)->CategoryName;
    const QString name = to.section(u'/', -1);
    if (CategoryEditor(*m_providers).Rename(stored, name) != CategoryEditor::RenameResult::Renamed)
        return;
    const QString renamed = CategoryEditor::ChildPath(Category::ParentCategoryName(stored), name);
    const QString current = m_settings.CurrentCategory;
    if (current.compare(stored, Qt::CaseInsensitive) == 0 ||
        current.startsWith(stored + u'/', Qt::CaseInsensitive))
        m_settings.CurrentCategory = renamed + current.mid(stored.size());
    emit ListChanged();
}

void ProgramCore::CategoriesChosen() {
    KeepCurrentCategoryValid();
    emit ListChanged();
    m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, false);
    if (m_current == nullptr || !m_current->Active || !IsVisibleCategory(m_current->Category))
        ShowFirstVisibleProvider();
}

ProviderSubscription::Result ProgramCore::AddProviderByURL(const QString& url,
                                                           const QString& category) {
    const qsizetype before = m_providers->Count();
    // Finding a provider makes it active again, which the tree must show.
    const qsizetype known =
        m_providers->LocateProviderByURL(ProviderSubscription::FeedAddress(url));
    const bool reactivated = known > 0 && !m_providers->Item(known)->Active;
    ProviderSubscription subscription(*m_providers);
    const ProviderSubscription::Result result = subscription.Subscribe(url, category);
    if (result.provider == nullptr)
        return result;
    if (m_providers->Count() != before || reactivated)
        emit ListChanged();
    ShowProviderByID(result.provider->UniqueID);
    return result;
}

QString ProgramCore::StoryURL() const {
    if (m_story < 1 || m_story > StoryCount())
        return {};
    return m_current->Stories->ItemURL(m_story);
}

QString ProgramCore::ReadStory(int row) {
    m_settings.ArticleDoubleClicks = SaturatingAdd(m_settings.ArticleDoubleClicks, 1);
    if (row < 1 || row > StoryCount())
        return {};
    MarkStoryOpened(row);
    return TranslatedURL(*m_current, m_current->Stories->ItemURL(row));
}

void ProgramCore::MarkStoryOpened(int row) {
    if (row >= 1 && row <= StoryCount() && m_stories.MarkOpened(*m_current, row))
        emit StoryOpened(row);
}

void ProgramCore::MarkAllRead(Long uniqueID) {
    const qsizetype index = m_providers->LocateProviderByUniqueID(uniqueID);
    if (index < 1)
        return;
    Provider& provider = *m_providers->Item(index);
    m_stories.Restore(provider);
    m_stories.MarkAllOpened(provider);
    if (IsOnShow(provider))
        RedrawStories();
}

QString ProgramCore::SiteToVisit(const Provider& provider) const {
    return TranslatedURL(provider, provider.SiteURL);
}

void ProgramCore::ApplyPreferences() {
    m_scheduling.backgroundUpdateMode = m_settings.backgroundUpdateMode;
    m_scheduling.CheckForUpdates = m_settings.CheckForUpdates;
    m_scheduling.AutoFlip = m_settings.AutoFlip;
    m_scheduling.FlipInterval = m_settings.FlipInterval;
    m_scheduling.FlipProviders = m_settings.FlipProviders;
    m_scheduling.FlipCategories = m_settings.FlipCategories;
    m_stories.ApplyRetention(m_settings);
    m_flip->ShowPlayState();
    m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, true);
    emit PreferencesApplied();
}

void ProgramCore::RedrawStories() {
    emit StoriesChanged(m_story);
}

void ProgramCore::AdoptProviderList(std::unique_ptr<ProviderCollection> edited,
                                    ProgressReporter* progress) {
    // The fetcher keeps the providers of its requests by address.
    m_providers->CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    const Long current = m_current != nullptr ? m_current->UniqueID : 0;
    CarryOverStoredState(*edited);
    // Assigned into the same object: the scheduler and auto-flip hold it.
    *m_providers = std::move(*edited);
    m_providers->SortForTree(progress, QStringLiteral("Sorting categories..."));
    KeepCurrentCategoryValid();
    m_current = nullptr;
    emit ListChanged();
    // Found by identity: the copy may have moved, renamed or dropped it.
    const qsizetype index = m_providers->LocateProviderByUniqueID(current);
    if (index >= 1 && IsShowable(*m_providers->Item(index)))
        ShowProvider(index);
    else
        ShowFirstVisibleProvider();
    m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, true);
}

// A working copy leaves out what the user cannot edit.
void ProgramCore::CarryOverStoredState(ProviderCollection& edited) const {
    edited.Version = m_providers->Version;
    if (edited.ObsoleteCount() > 0)
        return;
    for (qsizetype i = 1; i <= m_providers->ObsoleteCount(); ++i)
        edited.AddObsolete(m_providers->ObsoleteItem(i)->UniqueID);
}

void ProgramCore::CheckForProgramUpdate() {
    m_updateCheckAsked = true;
    m_updateCheck->Start();
}

bool ProgramCore::CheckingForProgramUpdate() const {
    return m_updateCheck->Running();
}

// A check the user asked for answers only that user, even when the timer
// had started it.
void ProgramCore::ConnectUpdateCheck() {
    connect(m_scheduler, &RefreshScheduler::UpdateCheckDue, m_updateCheck,
            &ProgramUpdateCheck::Start);
    connect(m_updateCheck, &ProgramUpdateCheck::Finished, this,
            [this](const ProgramUpdateCheck::Answer& answer) {
                if (std::exchange(m_updateCheckAsked, false))
                    emit UpdateCheckAnswered(ProgramUpdateCheck::Message(answer));
                else if (answer.Result == ProgramUpdateCheck::Outcome::NewerVersion)
                    emit PhoneHomeDue(ProgramUpdateCheck::NewVersionText(answer));
            });
}

int ProgramCore::ArticleRowCount() const {
    return static_cast<int>(StoryCount());
}

Currency ProgramCore::CounterNow() const {
    return HighResolutionCounter::Value();
}

// The grid is filled again after the completion that replaced the stories
// has returned.
void ProgramCore::StoriesReplaced(Provider& provider) {
    m_stories.Keep(provider);
    const Provider* replaced = &provider;
    Post([this, replaced] { OnStoriesReplaced(replaced); });
}

void ProgramCore::LoadStateChanged(Provider& provider) {
    emit ProviderUpdated(provider);
}

void ProgramCore::ForwardTimerSignals() {
    connect(m_scheduler, &RefreshScheduler::BusyChanged, this, &ProgramCore::BusyChanged);
    connect(m_scheduler, &RefreshScheduler::ProviderChanged, this, &ProgramCore::ProviderUpdated);
    connect(m_flip, &AutoFlip::PlayCaptionChanged, this, &ProgramCore::PlayCaptionChanged);
    connect(m_flip, &AutoFlip::PlayIconChanged, this, &ProgramCore::PlayIconChanged);
}

void ProgramCore::Post(std::function<void()> work) {
    QTimer::singleShot(0, this, std::move(work));
}

// The reader keeps the story being read when it is still in the new list;
// the panes only change when nothing was selected or the story is gone.
void ProgramCore::OnStoriesReplaced(const Provider* provider) {
    if (m_current.get() != provider)
        return;
    const qsizetype kept = m_story > 0 ? RowOfKey(m_storyKey) : -1;
    if (kept >= 1) {
        m_story = static_cast<int>(kept);
        emit StoriesChanged(m_story);
        return;
    }
    const int row = StoryCount() > 0 ? 1 : 0;
    emit StoriesChanged(row);
    SelectStory(row);
}

qsizetype ProgramCore::StoryCount() const {
    if (m_current == nullptr || m_current->Stories == nullptr)
        return 0;
    return m_current->Stories->Count();
}

QString ProgramCore::StoryKey(int row) const {
    if (row < 1 || row > StoryCount())
        return {};
    const QString url = m_current->Stories->ItemURL(row);
    return url.isEmpty() ? QStringLiteral("title:") + m_current->Stories->Item(row).Title : url;
}

qsizetype ProgramCore::RowOfKey(const QString& key) const {
    for (qsizetype row = 1; row <= StoryCount(); ++row) {
        if (StoryKey(static_cast<int>(row)) == key)
            return row;
    }
    return -1;
}

QString ProgramCore::TranslatedURL(const Provider& provider, const QString& url) const {
    return Languages::TranslationURL(m_settings.TranslationServiceURL, provider.Language, 1, url);
}

// The current category names a visible category, so that the background
// refresh of "the current category" walks something the user sees.
void ProgramCore::KeepCurrentCategoryValid() {
    const CategoryCollection& categories = m_providers->Categories();
    if (categories.Count() == 0 || IsVisibleCategory(m_settings.CurrentCategory))
        return;
    m_settings.CurrentCategory = categories.Item(1)->CategoryName;
    for (const auto& category : categories) {
        if (category->Visible) {
            m_settings.CurrentCategory = category->CategoryName;
            return;
        }
    }
}

bool ProgramCore::IsVisibleCategory(const QString& path) const {
    const CategoryCollection& categories = m_providers->Categories();
    const qsizetype position = categories.LocateCategory(path);
    return position >= 1 && categories.Item(position)->Visible;
}

void ProgramCore::ShowFirstVisibleProvider() {
    for (qsizetype index = 1; index <= m_providers->Count(); ++index) {
        if (IsShowable(*m_providers->Item(index))) {
            ShowProvider(index);
            return;
        }
    }
    ShowNone();
}

bool ProgramCore::IsOnShow(const Provider& provider) const {
    return m_current.get() == &provider;
}

bool ProgramCore::IsShowable(const Provider& provider) const {
    return provider.Active && IsVisibleCategory(provider.Category);
}

void ProgramCore::ShowNone() {
    m_current = nullptr;
    m_selectedProviderID = 0;
    ++m_selectionValue;
    emit ProviderShown(nullptr);
    emit SiteImageChanged();
    SelectStory(0);
}
