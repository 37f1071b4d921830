#pragma once

#include "platform/Types.h"

// The bits of Provider::PendingOperations: which fetches of a provider are
// outstanding. Other bits of the field are not fetches and stay as they are
// when a fetch is called off.
namespace PendingOperation {

enum Bit : Integer {
    Stories = 1,
    Details = 2,
    StoriesAndDetails = Stories | Details,
};

} // namespace PendingOperation
