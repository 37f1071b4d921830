#pragma once

#include "config/StoryStore.h"

#include <QString>

class Provider;
class ProviderCollection;
class Settings;

// Keeps the providers' headlines across runs: a provider's stories come
// from the store when they are first needed (showing every stored story at
// start-up would cost the time and memory of the whole store), each
// completed load is stored, and the stories the user opened stay opened.
// The store failing is told and never stops the program.
class StoryKeeper {
public:
    explicit StoryKeeper(const QString& filePath);

    // Opens the store (a damaged one is moved aside and the user told),
    // forgets the providers the list lost, and leaves every provider's
    // stories to be filled from the store.
    void Start(ProviderCollection& providers, const Settings& settings);
    void ApplyRetention(const Settings& settings);

    // The stories of the provider's last run, the first time they are
    // needed; nothing once the provider has loaded in this run.
    void Restore(Provider& provider);
    void Keep(const Provider& provider);
    // False when the story was opened already.
    bool MarkOpened(Provider& provider, qsizetype row);
    void MarkAllOpened(Provider& provider);

private:
    void Report(const QString& failure);

    StoryStore m_store;
};
