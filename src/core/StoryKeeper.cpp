#include "core/StoryKeeper.h"

#include "config/Settings.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

StoryKeeper::StoryKeeper(const QString& filePath)
    : m_store(filePath) {}

void StoryKeeper::Start(ProviderCollection& providers, const Settings& settings) {
    // Start-up is the user's own doing, and its notices come before the
    // window could show them.
    const QString problem = m_store.Open(Clock::NowUtc());
    if (!problem.isEmpty())
        MessageBox::Show(problem);
    ApplyRetention(settings);
    if (!m_store.IsOpen())
        return;
    if (!m_store.KeepOnly(providers))
        Report(QStringLiteral("The headlines of removed providers could not be dropped"));
    for (const auto& provider : providers)
        if (provider->Stories != nullptr)
            provider->Stories->SetStoredStoriesPending(true);
}

void StoryKeeper::ApplyRetention(const Settings& settings) {
    m_store.SetRetention({settings.StoriesKept, settings.DaysKept});
}

void StoryKeeper::Restore(Provider& provider) {
    StoryCollection* stories = provider.Stories.get();
    if (stories == nullptr || !stories->StoredStoriesPending())
        return;
    StoryCollection stored = m_store.LastLoad(provider);
    if (!m_store.LastError().isEmpty()) {
        stories->SetStoredStoriesPending(false);
        Report(QStringLiteral("The stored headlines of '%1' could not be read")
                   .arg(provider.ProviderName));
        return;
    }
    *stories = std::move(stored);
}

void StoryKeeper::Keep(const Provider& provider) {
    if (provider.Stories == nullptr ||
        m_store.KeepLoad(provider, *provider.Stories, Clock::NowUtc()))
        return;
    Report(QStringLiteral("The headlines of '%1' could not be stored").arg(provider.ProviderName));
}

bool StoryKeeper::MarkOpened(Provider& provider, qsizetype row) {
    StoryCollection& stories = *provider.Stories;
    Story& story = stories.Item(row);
    if (story.Opened)
        return false;
    story.Opened = true;
    if (!m_store.MarkOpened(provider, story.Title, stories.ItemURL(row)))
        Report(QStringLiteral("That '%1' was read could not be stored").arg(story.Title));
    return true;
}

void StoryKeeper::MarkAllOpened(Provider& provider) {
    if (provider.Stories == nullptr)
        return;
    for (Story& story : *provider.Stories)
        story.Opened = true;
    if (!m_store.MarkAllOpened(provider))
        Report(QStringLiteral("That the headlines of '%1' were read could not be stored")
                   .arg(provider.ProviderName));
}

// A store found damaged in use goes aside like one found damaged at
// start-up; any other failure costs only the change at hand.
void StoryKeeper::Report(const QString& failure) {
    if (!m_store.IsOpen())
        return;
    if (m_store.Damaged())
        BackgroundNotice::Report(m_store.Renew(Clock::NowUtc()));
    else
        BackgroundNotice::Report(QStringLiteral("%1: %2.").arg(failure, m_store.LastError()));
}
