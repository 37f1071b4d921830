#pragma once

#include "model/PendingFetch.h"
#include "platform/XmlDocument.h"

#include <QPointer>

#include <memory>

class FeedFetcher;
class HttpRequest;
class Provider;

// What one provider has in flight: the download of its XML document (which
// its stories and details fetches share), the request for the stories of a
// text feed, and the request for the details of a text feed (its own, so
// that it never disturbs the stories). The provider owns it; the fetcher
// counts the operations it holds and is told of every one that ends, by
// completion, cancellation or the provider going away.
class ProviderFetch : public PendingFetch {
public:
    ProviderFetch(FeedFetcher& fetcher, Provider& provider);
    ~ProviderFetch() override;

    ProviderFetch(const ProviderFetch&) = delete;
    ProviderFetch& operator=(const ProviderFetch&) = delete;

    void Cancel(int cancelledOperations) override;

    // Adds operation bits to what the fetcher counts for this provider.
    void Count(int operations);
    // An operation ended: no longer counted.
    void Uncount(int operations);

    HttpRequest* Document() const { return m_documentRequest.get(); }
    HttpRequest* Stories() const { return m_storiesRequest.get(); }
    HttpRequest* Details() const { return m_detailsRequest.get(); }
    // The document the download is parsed into; exists while it runs.
    XmlDocument& Parsed() { return *m_document; }

    HttpRequest& StartDocument();
    HttpRequest& StartStories();
    HttpRequest& StartDetails();
    // Let go of a request once its completion has run; it is deleted when
    // control is back in the event loop, since its signal may still be on
    // the stack.
    void ReleaseDocument();
    void ReleaseStories();
    void ReleaseDetails();

private:
    void TellCount(int delta);
    void LeaveSlot();

    // The list of providers may outlive the fetcher at shutdown.
    QPointer<FeedFetcher> m_fetcher;
    Provider& m_provider;
    int m_counted = 0;
    std::unique_ptr<HttpRequest> m_documentRequest;
    std::unique_ptr<HttpRequest> m_storiesRequest;
    std::unique_ptr<HttpRequest> m_detailsRequest;
    std::unique_ptr<XmlDocument> m_document;
};
