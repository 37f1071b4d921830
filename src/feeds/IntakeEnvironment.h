#pragma once

#include "platform/Currency.h"

#include <QString>

class Provider;

// What feed intake needs from the running program: two preferences, the
// monotonic counter, the bookkeeping of requests in flight, and the window
// and sound player it reports to. The program implements it over the main
// window; tests and tools implement it plainly.
class IntakeEnvironment {
public:
    virtual ~IntakeEnvironment() = default;

    virtual bool HighlightNewStories() const = 0;
    virtual bool PlayArrivalSounds() const = 0;
    // High-resolution counter now, in the units of Provider::tStart.
    virtual Currency CounterNow() const = 0;

    // A fetch operation (stories or details of a document, stories of a text
    // feed) has completed: one fewer in flight.
    virtual void OperationCompleted() = 0;
    // A load is about to be compared with the provider's stories: the
    // program puts back the ones of its last run first. Nothing by default.
    virtual void RestoreStories(Provider& provider) { (void)provider; }
    // The provider has a new story collection; the window refreshes it when
    // it is the provider on show (after the completion has returned).
    virtual void StoriesReplaced(Provider& provider) = 0;
    // The provider's LoadState or details may have changed; its entry is
    // drawn again.
    virtual void LoadStateChanged(Provider& provider) = 0;
    // New stories arrived and the provider has an arrival sound.
    virtual void PlayArrivalSound(const QString& soundFile) = 0;
};
