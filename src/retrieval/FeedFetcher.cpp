#include "retrieval/FeedFetcher.h"

#include "feeds/FeedFormat.h"
#include "feeds/FeedIntake.h"
#include "feeds/IntakeEnvironment.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/HighResolutionCounter.h"
#include "platform/Saturating.h"
#include "retrieval/FeedAnswer.h"
#include "retrieval/HttpRequest.h"
#include "retrieval/NetworkAccess.h"
#include "retrieval/ProviderFetch.h"

#include <QUrl>

namespace {

// The program as feed intake sees it during one completion: everything goes
// to the host, and the end of the operation is counted off the provider's
// fetch.
class Completion : public IntakeEnvironment {
public:
    Completion(IntakeEnvironment& host, ProviderFetch& fetch, int operation)
        : m_host(host)
        , m_fetch(fetch)
        , m_operation(operation) {}

    bool HighlightNewStories() const override { return m_host.HighlightNewStories(); }
    bool PlayArrivalSounds() const override { return m_host.PlayArrivalSounds(); }
    Currency CounterNow() const override { return m_host.CounterNow(); }
    void OperationCompleted() override {
        m_fetch.Uncount(m_operation);
        m_host.OperationCompleted();
    }
    void RestoreStories(Provider& provider) override { m_host.RestoreStories(provider); }
    void StoriesReplaced(Provider& provider) override { m_host.StoriesReplaced(provider); }
    void LoadStateChanged(Provider& provider) override { m_host.LoadStateChanged(provider); }
    void PlayArrivalSound(const QString& soundFile) override { m_host.PlayArrivalSound(soundFile); }

private:
    IntakeEnvironment& m_host;
    ProviderFetch& m_fetch;
    int m_operation;
};

// Why a load failed reaches the user, once for each provider and reason.
// The network coming and going is left unsaid: it would speak for every
// provider at once.
void TellFailure(const Provider& provider, const HttpRequest& request, const QString& reason) {
    if (!reason.isEmpty() && !request.Unreachable())
        BackgroundNotice::Report(QStringLiteral("The feed '%1' could not be loaded: %2.")
                                     .arg(provider.ProviderName, reason));
}

bool IsFetchable(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https" || scheme == u"file");
}

} // namespace

FeedFetcher::FeedFetcher(IntakeEnvironment& host, QObject* parent)
    : FeedFetcher(host, Limits{}, parent) {}

FeedFetcher::FeedFetcher(IntakeEnvironment& host, Limits limits, QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_limits(limits)
    , m_pendingRequests(limits.MaxPendingRequests, nullptr) {
    NetworkAccess::ReportMissingTls();
}

FeedFetcher::~FeedFetcher() = default;

void FeedFetcher::GrabStories(Provider& provider) {
    provider.LoadState = LoadState::Loading;
    m_host.LoadStateChanged(provider);
    provider.AttemptedUpdates = SaturatingAdd(provider.AttemptedUpdates, 1);
    if (provider.IsTextFormat())
        GrabStoriesText(provider);
    else
        GrabStoriesXML(provider);
}

void FeedFetcher::GrabStoriesXML(Provider& provider) {
    if (provider.PendingOperations == PendingOperation::Details && FetchOf(provider).Document()) {
        // The details document already on its way serves the stories too.
        provider.tStart = m_host.CounterNow();
        provider.PendingOperations |= PendingOperation::Stories;
        FetchOf(provider).Count(PendingOperation::Stories);
        return;
    }
    if ((provider.PendingOperations & PendingOperation::Stories) == 0)
        Begin(provider, PendingOperation::Stories, &ProviderFetch::StartDocument,
              &FeedFetcher::DocumentFinished);
}

void FeedFetcher::GrabStoriesText(Provider& provider) {
    if ((provider.PendingOperations & PendingOperation::Stories) == 0 &&
        Begin(provider, PendingOperation::Stories, &ProviderFetch::StartStories,
              &FeedFetcher::StoriesTextFinished))
        AddPendingRequest(provider);
}

void FeedFetcher::GrabProviderDetails(Provider& provider) {
    if (provider.IsTextFormat())
        GrabProviderDetailsText(provider);
    else
        GrabProviderDetailsXML(provider);
}

void FeedFetcher::GrabProviderDetailsXML(Provider& provider) {
    if (provider.PendingOperations == PendingOperation::Stories && FetchOf(provider).Document()) {
        provider.PendingOperations |= PendingOperation::Details;
        FetchOf(provider).Count(PendingOperation::Details);
        return;
    }
    if ((provider.PendingOperations & PendingOperation::Details) == 0)
        Begin(provider, PendingOperation::Details, &ProviderFetch::StartDocument,
              &FeedFetcher::DocumentFinished);
}

void FeedFetcher::GrabProviderDetailsText(Provider& provider) {
    if ((provider.PendingOperations & PendingOperation::Details) == 0)
        Begin(provider, PendingOperation::Details, &ProviderFetch::StartDetails,
              &FeedFetcher::DetailsTextFinished);
}

bool FeedFetcher::Begin(Provider& provider, int operation, RequestStart start,
                        RequestEnd finished) {
    provider.PendingOperations |= operation;
    ProviderFetch& fetch = FetchOf(provider);
    fetch.Count(operation);
    if (operation == PendingOperation::Stories)
        provider.tStart = m_host.CounterNow();
    if (StartsFailed(provider, operation))
        return false;
    HttpRequest& request = (fetch.*start)();
    request.Open(provider.DataURL);
    // Only a stories fetch may be answered "not modified": details need
    // the document itself.
    if (operation == PendingOperation::Stories)
        AskIfModified(request, provider);
    connect(&request, &HttpRequest::Finished, this,
            [this, &provider, finished] { (this->*finished)(provider); });
    request.Send();
    return true;
}

void FeedFetcher::PollPendingRequests() {
    if (m_pendingRequestCount < 1)
        return;
    for (Provider* provider : std::as_const(m_pendingRequests)) {
        if (provider == nullptr)
            continue;
        const auto* fetch = dynamic_cast<ProviderFetch*>(provider->GetPendingFetch());
        if (fetch != nullptr && fetch->Stories() != nullptr &&
            fetch->Stories()->ReadyState() == HttpRequest::Done)
            CompleteStoriesText(*provider);
    }
}

void FeedFetcher::RemovePendingRequest(const Provider* provider) {
    const qsizetype slot = m_pendingRequests.indexOf(provider);
    if (slot < 0)
        return;
    m_pendingRequests[slot] = nullptr;
    m_pendingRequestCount -= 1;
}

HttpRequest* FeedFetcher::NewRequest() const {
    return new HttpRequest({m_limits.Timeout, m_limits.MaxBodyBytes});
}

ProviderFetch& FeedFetcher::FetchOf(Provider& provider) {
    if (auto* fetch = dynamic_cast<ProviderFetch*>(provider.GetPendingFetch()))
        return *fetch;
    auto fetch = std::make_unique<ProviderFetch>(*this, provider);
    ProviderFetch& created = *fetch;
    provider.SetPendingFetch(std::move(fetch));
    return created;
}

void FeedFetcher::AddPendingRequest(Provider& provider) {
    const qsizetype slot = m_pendingRequests.indexOf(nullptr);
    if (slot < 0)
        return;
    m_pendingRequests[slot] = &provider;
    m_pendingRequestCount += 1;
}

bool FeedFetcher::HoldsSlot(const Provider& provider) const {
    return m_pendingRequests.contains(&provider);
}

// An address no request can be made for ends the operation at once, as a
// failed load, rather than leaving it outstanding.
bool FeedFetcher::StartsFailed(Provider& provider, int operation) {
    if (IsFetchable(QUrl(provider.DataURL)))
        return false;
    if (provider.IsTextFormat() && !provider.ErrorReported) {
        provider.ErrorReported = true;
        BackgroundNotice::Report(QStringLiteral("Error in GrabStoriesText for provider '%1'!")
                                     .arg(provider.ProviderName));
    }
    ProviderFetch& fetch = FetchOf(provider);
    Completion completion(m_host, fetch, operation);
    if (operation == PendingOperation::Stories)
        FeedIntake::GrabStoriesTextFinish(provider, 0, QString(), completion);
    else
        FeedIntake::GrabProviderDetailsTextFinish(provider, 0);
    fetch.Uncount(operation);
    return true;
}

void FeedFetcher::AskIfModified(HttpRequest& request, const Provider& provider) const {
    const auto found = m_validators.constFind(provider.DataURL);
    if (found == m_validators.cend())
        return;
    if (!found->first.isEmpty())
        request.SetRequestHeader("If-None-Match", found->first);
    if (!found->second.isEmpty())
        request.SetRequestHeader("If-Modified-Since", found->second);
}

// Validators stand for the answer whose stories the provider shows, so they
// are taken only once intake has read that answer. A failed load drops
// them: a "not modified" would otherwise pass for a good load of a feed
// that could not be read, and the next request asks for the whole feed.
void FeedFetcher::RememberValidators(const HttpRequest& request, const Provider& provider) {
    if (provider.LoadState == LoadState::Failed) {
        m_validators.remove(provider.DataURL);
        return;
    }
    if (request.Status() == HttpRequest::NotModified)
        return;
    const QByteArray etag = request.ResponseHeader("ETag");
    const QByteArray lastModified = request.ResponseHeader("Last-Modified");
    if (etag.isEmpty() && lastModified.isEmpty())
        m_validators.remove(provider.DataURL);
    else
        m_validators.insert(provider.DataURL, {etag, lastModified});
}

void FeedFetcher::AddCharsRead(qint64 count) {
    m_charsRead = SaturatingAdd(m_charsRead, count);
}

void FeedFetcher::DocumentFinished(Provider& provider) {
    ProviderFetch& fetch = FetchOf(provider);
    const HttpRequest& request = *fetch.Document();
    AddCharsRead(request.ResponseBody().size());
    XmlDocument& document = fetch.Parsed();
    // Only a whole answer that may be a feed is parsed: an error page, a web
    // page or a transfer cut short stays unparsed and the load fails.
    QString refusal = FeedAnswer::Refusal(request);
    if (refusal.isEmpty() && request.Succeeded()) {
        document.LoadXML(request.ResponseBody(), XmlDocument::Malformed::Recover,
                         request.ResponseURL());
        refusal = FeedAnswer::Refusal(request, document);
    }
    TellFailure(provider, request, refusal);
    if (provider.PendingOperations & PendingOperation::Details) {
        Completion completion(m_host, fetch, PendingOperation::Details);
        FeedIntake::GrabProviderDetailsXMLComplete(provider, document, completion);
    }
    if (provider.PendingOperations & PendingOperation::Stories) {
        Completion completion(m_host, fetch, PendingOperation::Stories);
        if (request.Status() == HttpRequest::NotModified)
            FeedIntake::GrabStoriesNotModified(provider, completion);
        else
            FeedIntake::GrabStoriesXMLComplete(provider, document, completion);
        RememberValidators(request, provider);
    }
    fetch.ReleaseDocument();
}

void FeedFetcher::StoriesTextFinished(Provider& provider) {
    // Requests in a slot wait for the poll; one that found no free slot
    // would wait for ever.
    if (!HoldsSlot(provider))
        CompleteStoriesText(provider);
}

void FeedFetcher::CompleteStoriesText(Provider& provider) {
    ProviderFetch& fetch = FetchOf(provider);
    const HttpRequest& request = *fetch.Stories();
    const QString refusal = FeedAnswer::Refusal(request);
    // A refused answer is never read: its status says the load failed.
    const QString text = refusal.isEmpty() ? request.ResponseText() : QString();
    TellFailure(provider, request, refusal);
    Completion completion(m_host, fetch, PendingOperation::Stories);
    if (request.Status() == HttpRequest::NotModified)
        FeedIntake::GrabStoriesNotModified(provider, completion);
    else
        FeedIntake::GrabStoriesTextFinish(provider, refusal.isEmpty() ? request.Status() : 0, text,
                                          completion);
    RememberValidators(request, provider);
    AddCharsRead(text.size());
    fetch.ReleaseStories();
    RemovePendingRequest(&provider);
}

void FeedFetcher::DetailsTextFinished(Provider& provider) {
    ProviderFetch& fetch = FetchOf(provider);
    FeedIntake::GrabProviderDetailsTextFinish(provider, fetch.Details()->Status());
    fetch.Uncount(PendingOperation::Details);
    fetch.ReleaseDetails();
    m_host.LoadStateChanged(provider);
}
