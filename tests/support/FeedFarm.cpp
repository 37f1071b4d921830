#include "FeedFarm.h"

#include "NumberedFeed.h"

#include "feeds/FeedFormat.h"

namespace {

bool IsTextFeed(int feed) {
    return feed % 5 == 4;
}

} // namespace

FeedFarm::FeedFarm(int feeds, Long backgroundUpdateMode)
    : m_feeds(feeds) {
    Preferences.backgroundUpdateMode = backgroundUpdateMode;
    for (int feed = 0; feed < feeds; ++feed) {
        const QByteArray path = "/feed/" + QByteArray::number(feed);
        if (IsTextFeed(feed))
            Server.Serve(path, QByteArray("First line\nSecond line\n"), "text/plain");
        else
            Server.Serve(path, NumberedFeed::Rss(10));
    }
}

bool FeedFarm::LoadThroughFile(const QString& file) {
    ProviderCollection providers;
    for (int feed = 0; feed < m_feeds; ++feed) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = QStringLiteral("Feed %1").arg(feed);
        provider->DataURL = Server.Url(QStringLiteral("/feed/%1").arg(feed)).toString();
        provider->Category = QStringLiteral("Farm/%1").arg(feed % 7);
        provider->UniqueID = feed + 1;
        provider->RefreshMinutes = 60;
        if (IsTextFeed(feed)) {
            provider->SetIsTextFormat(true);
            provider->TextFormatSpec = QStringLiteral("00,01,T");
        }
        providers.Add(provider);
    }
    providers.SaveFile(file, nullptr, false, true, true);
    if (!Providers.LoadFile(file, nullptr, false))
        return false;
    Providers.SortForTree(nullptr, {});
    Scheduler.SetBackgroundRange(Preferences.backgroundUpdateMode, false);
    return true;
}

int FeedFarm::CompletedCount() const {
    int completed = 0;
    for (const auto& provider : Providers) {
        if (provider->SuccessfulUpdates > 0 || provider->LoadState == LoadState::Failed)
            ++completed;
    }
    return completed;
}
