#pragma once

class Provider;

// What the refresh scheduler needs of feed retrieval: starting a stories
// fetch, completing finished text requests, and the counts its limits are
// checked against. The fetcher implements it; scheduler tests fake it.
class FetchControl {
public:
    virtual ~FetchControl() = default;

    // Starts an asynchronous stories fetch (nothing when one is already
    // outstanding; AttemptedUpdates counts every call).
    virtual void GrabStories(Provider& provider) = 0;
    // Completes the text requests in the pending slots that have finished.
    virtual void PollPendingRequests() = 0;

    // Text requests holding a pending slot.
    virtual int PendingRequestCount() const = 0;
    // One per outstanding stories or details operation of any provider.
    virtual int OutstandingRequestCount() const = 0;
    virtual int MaxPendingRequests() const = 0;
    virtual int MaxOutstandingRequests() const = 0;
};
