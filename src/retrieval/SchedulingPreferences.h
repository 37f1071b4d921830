#pragma once

#include "platform/Types.h"

// The preferences the refresh scheduler and auto-flip read. The settings
// live in a layer above retrieval, so the main window keeps this copy in step
// with them: it fills it when the preferences are applied, and copies back
// what auto-flip's commands change (AutoFlip, FlipInterval, FlipProviders).
struct SchedulingPreferences {
    // 0: no background refresh; 1: the providers of the current category
    // (all of them when the category tree is hidden); 2: all providers.
    Long backgroundUpdateMode = 1;
    bool CheckForUpdates = true;
    bool AutoFlip = false;
    // Seconds between flips.
    Integer FlipInterval = 15;
    // Flip providers rather than articles.
    bool FlipProviders = false;
    // Provider flips may leave the current category.
    bool FlipCategories = true;
};
