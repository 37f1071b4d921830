#pragma once

#include "platform/Types.h"

#include <QString>

// What the refresh scheduler asks of the running program: where the user
// is. What the scheduler only reports goes out as its signals.
class SchedulerHost {
public:
    virtual ~SchedulerHost() = default;

    // Position of the provider shown, 1-based; 0 when none is.
    virtual qsizetype CurrentProviderIndex() const = 0;
    // Path of the category the user is in.
    virtual QString CurrentCategory() const = 0;
    virtual bool ShowCategories() const = 0;
    // A number that changes whenever the tree's selected node changes.
    virtual int TreeSelectionValue() const = 0;
    // UniqueID of the provider of the tree's selected node; 0 when no
    // provider node is selected.
    virtual Long SelectedTreeProviderID() const = 0;
};
