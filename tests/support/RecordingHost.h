#pragma once

#include "feeds/IntakeEnvironment.h"
#include "platform/HighResolutionCounter.h"

#include <QStringList>

// The running program as feed retrieval sees it, recording what it is told.
class RecordingHost : public IntakeEnvironment {
public:
    bool HighlightNewStories() const override { return true; }
    bool PlayArrivalSounds() const override { return true; }
    Currency CounterNow() const override { return HighResolutionCounter::Value(); }
    void OperationCompleted() override { ++Completed; }
    void StoriesReplaced(Provider&) override { ++Replaced; }
    void LoadStateChanged(Provider&) override { ++Recoloured; }
    void PlayArrivalSound(const QString& soundFile) override { Sounds.append(soundFile); }

    int Completed = 0;
    int Replaced = 0;
    int Recoloured = 0;
    QStringList Sounds;
};
