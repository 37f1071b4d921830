#pragma once

// A fetch in flight for a provider. Retrieval implements it; the model only
// needs to be able to call it off.
class PendingFetch {
public:
    virtual ~PendingFetch() = default;
    // Abandons the fetch; `cancelledOperations` holds the provider's
    // PendingOperation bits that were set.
    virtual void Cancel(int cancelledOperations) = 0;
};
