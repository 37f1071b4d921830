#pragma once

#include "retrieval/FetchControl.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <chrono>

class IntakeEnvironment;
class HttpRequest;
class ProviderFetch;

// Starts the downloads of providers' feeds, keeps count of what is in
// flight, and hands every finished download to feed intake. XML feeds are
// downloaded and parsed as one document that a provider's stories and
// details fetches share; text feeds are plain requests, completed by the
// poll of the pending slots (or at once when they found no slot, so that
// none is left waiting). All on the user-interface thread.
//
// Fetches are polite: the validators of each feed's last good load are sent
// back, and a "not modified" answer completes as a load with no new story.
class FeedFetcher : public QObject, public FetchControl {
    Q_OBJECT

public:
    struct Limits {
        std::chrono::milliseconds Timeout{60000};
        qint64 MaxBodyBytes = qint64(16) << 20;
        int MaxPendingRequests = 6;
        int MaxOutstandingRequests = 30;
    };

    // `host` is the running program (the main window): the preferences and
    // reports of feed intake go to it.
    explicit FeedFetcher(IntakeEnvironment& host, QObject* parent = nullptr);
    FeedFetcher(IntakeEnvironment& host, Limits limits, QObject* parent = nullptr);
    ~FeedFetcher() override;

    void GrabStories(Provider& provider) override;
    void GrabStoriesXML(Provider& provider);
    void GrabStoriesText(Provider& provider);
    void GrabProviderDetails(Provider& provider);
    void GrabProviderDetailsXML(Provider& provider);
    void GrabProviderDetailsText(Provider& provider);

    void PollPendingRequests() override;
    int PendingRequestCount() const override { return m_pendingRequestCount; }
    int OutstandingRequestCount() const override { return m_outstandingRequestCount; }
    int MaxPendingRequests() const override { return m_limits.MaxPendingRequests; }
    int MaxOutstandingRequests() const override { return m_limits.MaxOutstandingRequests; }

    // Characters received, a running total the program keeps across runs.
    qint64 CharsRead() const { return m_charsRead; }
    void SetCharsRead(qint64 charsRead) { m_charsRead = charsRead; }

    // For ProviderFetch: the outstanding operations it adds or ends, its
    // pending slot, and the limits its requests get.
    void CountOperations(int delta) { m_outstandingRequestCount += delta; }
    void RemovePendingRequest(const Provider* provider);
    HttpRequest* NewRequest() const;

private:
    using RequestStart = HttpRequest& (ProviderFetch::*)();
    using RequestEnd = void (FeedFetcher::*)(Provider&);

    ProviderFetch& FetchOf(Provider& provider);
    // Marks `operation` outstanding and sends its request, made by `start`
    // and completed by `finished`. False when the address cannot be fetched:
    // the operation has then ended as a failed one.
    bool Begin(Provider& provider, int operation, RequestStart start, RequestEnd finished);
    void AddPendingRequest(Provider& provider);
    bool HoldsSlot(const Provider& provider) const;
    bool StartsFailed(Provider& provider, int operation);
    void AskIfModified(HttpRequest& request, const Provider& provider) const;
    // After a stories completion: what the next request of the feed asks.
    void RememberValidators(const HttpRequest& request, const Provider& provider);
    void AddCharsRead(qint64 count);

    void DocumentFinished(Provider& provider);
    void StoriesTextFinished(Provider& provider);
    void CompleteStoriesText(Provider& provider);
    void DetailsTextFinished(Provider& provider);

    IntakeEnvironment& m_host;
    Limits m_limits;
    QList<Provider*> m_pendingRequests;
    int m_pendingRequestCount = 0;
    int m_outstandingRequestCount = 0;
    qint64 m_charsRead = 0;
    // The ETag and Last-Modified of each feed's last answer that was read,
    // by data URL.
    QHash<QString, std::pair<QByteArray, QByteArray>> m_validators;
};
