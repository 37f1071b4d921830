#pragma once

#include "feeds/IntakeEnvironment.h"
#include "platform/HighResolutionCounter.h"

#include <QStringList>

#include <optional>

// The running program as feed retrieval sees it, recording what it is told.
class RecordingHost : public IntakeEnvironment {
public:
    bool HighlightNewStories() const override { return Highlight; }
    bool PlayArrivalSounds() const override { return ArrivalSounds; }
    Currency CounterNow() const override {
        return Counter.value_or(HighResolutionCounter::Value());
    }
    void OperationCompleted() override { ++Completed; }
    void StoriesReplaced(Provider&) override { ++Replaced; }
    void LoadStateChanged(Provider&) override { ++Recoloured; }
    void PlayArrivalSound(const QString& soundFile) override { Sounds.append(soundFile); }

    // What the program's preferences and clock say.
    bool Highlight = true;
    bool ArrivalSounds = true;
    std::optional<Currency> Counter;

    int Completed = 0;
    int Replaced = 0;
    int Recoloured = 0;
    QStringList Sounds;
};
