#include "core/DirectoryImport.h"

#include "feeds/BackColors.h"
#include "model/AliasSetCollection.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/MessageBox.h"
#include "platform/XmlDocument.h"
#include "platform/XmlNode.h"
#include "retrieval/AliasList.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/HttpRequest.h"

#include <QUrl>

#include <algorithm>

namespace {

// Far more than any directory's list of feeds.
constexpr qint64 MaxListBytes = qint64(32) << 20;
// A directory lists thousands of feeds; the bar need not move for each.
constexpr qsizetype ProgressStep = 64;

QString RequestAddress(const QString& source) {
    const QUrl url(source);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("file"))
        return source;
    return QUrl::fromLocalFile(source).toString();
}

// Only feeds on the web become providers.
bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

} // namespace

const QString DirectoryImport::ListName = QStringLiteral("UserLand");
const QString DirectoryImport::ReportListName = QStringLiteral("Userland");
const QString DirectoryImport::Category = QStringLiteral("UserLand");

DirectoryImport::DirectoryImport(ProviderCollection& providers, AliasList& aliases,
                                 FeedFetcher& fetcher, Limits limits, QObject* parent)
    : QObject(parent)
    , m_providers(providers)
    , m_aliases(aliases)
    , m_fetcher(fetcher)
    , m_limits(limits)
    , m_added(std::make_unique<ProviderCollection>()) {
    m_tick.setInterval(m_limits.Tick);
    connect(&m_tick, &QTimer::timeout, this, &DirectoryImport::Tick);
    connect(&m_aliases, &AliasList::Ready, this, &DirectoryImport::AliasesReady);
}

DirectoryImport::~DirectoryImport() {
    Stop();
}

void DirectoryImport::Start(const Options& options) {
    Stop();
    m_options = options;
    m_result = Result();
    m_stage = Stage::Fetching;
    m_listDone = false;
    emit Progress(0, 0);
    m_request = new HttpRequest(HttpRequest::Limits{m_limits.ListTimeout, MaxListBytes}, this);
    connect(m_request, &HttpRequest::Finished, this, &DirectoryImport::ListFetched);
    m_request->Open(RequestAddress(options.Source));
    m_request->Send();
    // The alias sets load meanwhile, on first need.
    m_aliases.Load();
}

void DirectoryImport::Cancel() {
    Stop();
}

void DirectoryImport::ListFetched() {
    m_body = m_request->Succeeded() ? m_request->ResponseBody() : QByteArray();
    m_request->deleteLater();
    m_request = nullptr;
    m_listDone = true;
    ReadListWhenReady();
}

void DirectoryImport::AliasesReady() {
    if (m_stage == Stage::Fetching)
        ReadListWhenReady();
}

void DirectoryImport::ReadListWhenReady() {
    if (!m_listDone || !m_aliases.IsLoaded())
        return;
    const QByteArray body = std::exchange(m_body, QByteArray());
    if (!Merge(body)) {
        Fail();
        return;
    }
    WaitForDetails();
}

bool DirectoryImport::Merge(const QByteArray& body) {
    XmlDocument list;
    if (body.isEmpty() || !list.LoadXML(body) || list.DocumentElement().IsNull())
        return false;
    for (const XmlNode& services : list.DocumentElement().ChildNodes()) {
        if (!services.IsElement() || services.NodeName() != QLatin1String("services"))
            continue;
        const QList<XmlNode> entries = services.ChildNodes();
        for (qsizetype j = 0; j < entries.size(); ++j) {
            if ((j + 1) % ProgressStep == 0 || j + 1 == entries.size())
                emit Progress(static_cast<int>(j + 1), static_cast<int>(entries.size()));
            const XmlNode& entry = entries.at(j);
            if (entry.IsElement() && entry.NodeName() == QLatin1String("url"))
                Take(entry.Text().trimmed());
        }
    }
    return true;
}

// One listed feed: renewed when the user has it, else added. A feed
// listed twice is known the second time.
void DirectoryImport::Take(const QString& url) {
    const std::shared_ptr<Provider> byURL = Listed(url);
    const std::shared_ptr<Provider> byAlias = KnownByAlias(url);
    if (byURL != nullptr) {
        m_renewed.push_back(byURL);
        ++m_result.AlreadyKnown;
    } else if (byAlias == nullptr) {
        if (IsWebAddress(url))
            NewProvider(url);
        else
            m_result.Skipped.append(url);
        return;
    }
    if (byAlias != nullptr) {
        m_renewed.push_back(byAlias);
        if (byAlias->Origin == Origin)
            ++m_result.KnownViaOtherURL;
    }
}

std::shared_ptr<Provider> DirectoryImport::Listed(const QString& url) const {
    for (const ProviderCollection* providers : {&m_providers, m_added.get()}) {
        const qsizetype position = providers->LocateProviderByURL(url);
        if (position > 0)
            return providers->Item(position);
    }
    return nullptr;
}

// The provider under another address of the feed's alias set.
std::shared_ptr<Provider> DirectoryImport::KnownByAlias(const QString& url) const {
    const std::shared_ptr<AliasSet> aliasSet = m_aliases.Sets().GetAliasSetForURL(url);
    if (aliasSet == nullptr)
        return nullptr;
    for (const ProviderCollection* providers : {&m_providers, m_added.get()}) {
        const qsizetype position = providers->LocateProviderInAliasSet(*aliasSet);
        if (position > 0)
            return providers->Item(position);
    }
    return nullptr;
}

std::shared_ptr<Provider> DirectoryImport::NewProvider(const QString& url) {
    ++m_result.Added;
    const std::shared_ptr<Provider> provider = m_added->AddSubscription(url, Category, Origin);
    provider->ProviderName = url;
    provider->Active = m_options.MakeActive;
    provider->BackColor = BackColors::RandomBackColor();
    return provider;
}

void DirectoryImport::WaitForDetails() {
    if (!m_options.GetDetails || m_added->Count() == 0) {
        Complete();
        return;
    }
    m_stage = Stage::Details;
    m_nextDetails = 1;
    const auto ticks = std::max<qint64>(1, m_limits.DetailsWait / m_limits.Tick);
    m_ticks = static_cast<int>(std::min<qint64>(ticks, 1 << 20));
    m_ticksLeft = m_ticks;
    emit Progress(m_ticksLeft, m_ticks);
    m_tick.start();
    CheckDetails();
}

// As many as the fetcher takes at once; the others as slots come free.
void DirectoryImport::StartDetailRequests() {
    while (m_nextDetails <= m_added->Count() &&
           m_fetcher.OutstandingRequestCount() < m_fetcher.MaxOutstandingRequests())
        m_fetcher.GrabProviderDetails(*m_added->Item(m_nextDetails++));
}

bool DirectoryImport::DetailsOutstanding() const {
    return m_nextDetails <= m_added->Count() ||
           std::any_of(m_added->begin(), m_added->end(), [](const auto& provider) {
               return (provider->PendingOperations & PendingOperation::Details) != 0;
           });
}

// Called while the fetcher is still finishing the request, which the
// providers joining the working copy would end under it: the check waits
// until that is over.
void DirectoryImport::DetailsArrived() {
    if (m_stage == Stage::Details)
        QMetaObject::invokeMethod(this, &DirectoryImport::CheckDetails, Qt::QueuedConnection);
}

void DirectoryImport::CheckDetails() {
    if (m_stage != Stage::Details)
        return;
    StartDetailRequests();
    if (!DetailsOutstanding())
        Complete();
}

void DirectoryImport::Tick() {
    emit Progress(--m_ticksLeft, m_ticks);
    if (m_ticksLeft <= 0)
        Complete();
    else
        CheckDetails();
}

// The new providers join the working copy; what their details did not bring
// in time they fetch later, when needed.
void DirectoryImport::Complete() {
    m_tick.stop();
    for (const auto& provider : *m_added)
        provider->CancelPendingRequest();
    m_providers.ClearFlags();
    for (const auto& provider : m_renewed)
        provider->Renewed = true;
    for (const auto& provider : *m_added) {
        m_providers.Add(provider);
        provider->Renewed = true;
        provider->BrandNew = true;
        m_result.AddedNames.append(provider->ProviderName);
    }
    m_result.Gone = static_cast<int>(
        std::count_if(m_providers.begin(), m_providers.end(), [](const auto& provider) {
            return provider->Origin == Origin && !provider->Renewed;
        }));
    m_result.Available = true;
    Stop();
    emit Finished(m_result);
}

void DirectoryImport::Fail() {
    Stop();
    emit Finished(m_result);
}

void DirectoryImport::Stop() {
    m_tick.stop();
    if (m_request != nullptr) {
        m_request->Abort();
        m_request->deleteLater();
        m_request = nullptr;
    }
    for (const auto& provider : *m_added)
        provider->CancelPendingRequest();
    m_added = std::make_unique<ProviderCollection>();
    m_renewed.clear();
    m_body.clear();
    m_stage = Stage::Idle;
}

qsizetype DirectoryImport::RemoveGone() {
    qsizetype removed = 0;
    for (qsizetype position = m_providers.Count(); position >= 1; --position) {
        const std::shared_ptr<Provider> provider = m_providers.Item(position);
        if (provider->Origin == Origin && !provider->Renewed) {
            provider->CancelPendingRequest();
            m_providers.Remove(position);
            ++removed;
        }
    }
    return removed;
}

MessageBoxPresenter::Answer DirectoryImport::ShowBulkAddReport(const QString& listName, int added,
                                                               int alreadyKnown, int gone,
                                                               int knownViaOtherURL) {
    const QString suffix =
        knownViaOtherURL == 0
            ? QString()
            : QString::number(knownViaOtherURL) +
                  QStringLiteral(" providers were already known via another URL.");
    if (added != 0)
        MessageBox::Show(QString::number(added) +
                         QStringLiteral(" headline providers have been added from ") + listName +
                         QStringLiteral(". ") + suffix);
    else if (alreadyKnown != 0)
        MessageBox::Show(QStringLiteral("The provider list at ") + listName +
                         QStringLiteral(" included ") + QString::number(alreadyKnown) +
                         QStringLiteral(" providers that were already on your list. ") + suffix);
    if (gone == 0)
        return MessageBoxPresenter::Answer::No;
    return MessageBox::Show(QStringLiteral("Your original provider list contained ") +
                                QString::number(gone) +
                                QStringLiteral(" providers that were originally from ") + listName +
                                QStringLiteral(". However, they are no longer in ") + listName +
                                QStringLiteral("'s list.\n\nDo you want to delete them?"),
                            MessageBoxPresenter::Buttons::YesNo, QStringLiteral("Delete?"));
}

QString DirectoryImport::SkippedText(const QStringList& skipped) {
    if (skipped.isEmpty())
        return QString();
    return QString::number(skipped.size()) +
           QStringLiteral(" listed addresses are not web addresses and were not added: ") +
           skipped.join(QStringLiteral(", "));
}

QString DirectoryImport::NotAvailableText() {
    return QStringLiteral("The service list is not available. Try again later.");
}
