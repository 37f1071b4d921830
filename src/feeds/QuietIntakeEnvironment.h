#pragma once

#include "feeds/IntakeEnvironment.h"
#include "platform/HighResolutionCounter.h"

// Feed intake outside the program (the tools, the tests' feed farm): new
// stories are highlighted as the program does by default, nothing is shown
// and no sound is played.
class QuietIntakeEnvironment : public IntakeEnvironment {
public:
    bool HighlightNewStories() const override { return true; }
    bool PlayArrivalSounds() const override { return false; }
    Currency CounterNow() const override { return HighResolutionCounter::Value(); }
    void OperationCompleted() override {}
    void StoriesReplaced(Provider&) override {}
    void LoadStateChanged(Provider&) override {}
    void PlayArrivalSound(const QString&) override {}
};
