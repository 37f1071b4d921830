#include "retrieval/ProviderFetch.h"

#include "feeds/FeedFormat.h"
#include "model/Provider.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/HttpRequest.h"

#include <bit>

namespace {

void Release(std::unique_ptr<HttpRequest>& request) {
    if (request != nullptr)
        request.release()->deleteLater();
}

} // namespace

ProviderFetch::ProviderFetch(FeedFetcher& fetcher, Provider& provider)
    : m_fetcher(&fetcher)
    , m_provider(provider) {}

ProviderFetch::~ProviderFetch() {
    // The provider may be going away with fetches in flight.
    Uncount(m_counted);
    LeaveSlot();
}

void ProviderFetch::Cancel(int cancelledOperations) {
    Uncount(cancelledOperations);
    LeaveSlot();
    // A fetch called off did not finish: the provider must not look as if
    // it were loading for ever.
    if (m_provider.LoadState == LoadState::Loading)
        m_provider.LoadState = LoadState::Failed;
}

void ProviderFetch::Count(int operations) {
    const int added = operations & ~m_counted;
    m_counted |= added;
    TellCount(std::popcount(static_cast<unsigned>(added)));
}

void ProviderFetch::Uncount(int operations) {
    const int ended = operations & m_counted;
    m_counted &= ~ended;
    TellCount(-std::popcount(static_cast<unsigned>(ended)));
}

void ProviderFetch::TellCount(int delta) {
    if (m_fetcher != nullptr)
        m_fetcher->CountOperations(delta);
}

void ProviderFetch::LeaveSlot() {
    if (m_fetcher != nullptr)
        m_fetcher->RemovePendingRequest(&m_provider);
}

HttpRequest& ProviderFetch::StartDocument() {
    m_documentRequest.reset(m_fetcher->NewRequest());
    m_document = std::make_unique<XmlDocument>();
    return *m_documentRequest;
}

HttpRequest& ProviderFetch::StartStories() {
    m_storiesRequest.reset(m_fetcher->NewRequest());
    return *m_storiesRequest;
}

HttpRequest& ProviderFetch::StartDetails() {
    m_detailsRequest.reset(m_fetcher->NewRequest());
    return *m_detailsRequest;
}

void ProviderFetch::ReleaseDocument() {
    Release(m_documentRequest);
    m_document.reset();
}

void ProviderFetch::ReleaseStories() {
    Release(m_storiesRequest);
}

void ProviderFetch::ReleaseDetails() {
    Release(m_detailsRequest);
}
