#pragma once

#include "config/MasterProviderSet.h"
#include "platform/Date.h"

class ProgressReporter;
class ProviderCollection;
class UpdateReport;

// Keeping the user's provider list in step with the master provider list.
namespace DefaultProviders {

// Loads the master list (from the local folder as well when doLocal and the
// server cannot be reached; from the local folder alone, seeded from the
// shipped copy, when there is no server) and merges it into `providers`:
// adds the master providers the user lacks, applies published changes
// (leaving a category the user chose alone), and removes built-in
// providers the list no longer holds. Returns whether the list changed. What was done goes to
// `report` (when given). When the master list cannot be loaded the user's list is left alone,
// failMessage tells the user so, and lastLoad keeps its value; otherwise lastLoad becomes now.
bool AddDefaultProviders(
    ProviderCollection& providers, UpdateReport* report, bool failMessage, Date& lastLoad,
    ProgressReporter* progress, bool doLocal,
    const MasterProviderSet::Locations& locations = MasterProviderSet::DefaultLocations());

} // namespace DefaultProviders
