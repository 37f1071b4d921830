#pragma once

#include "platform/Currency.h"

// A monotonic counter for load durations. Values are held in the fixed-point
// form durations use (the raw count scaled by 10 000), so a difference of two
// values divided by Frequency() is seconds.
namespace HighResolutionCounter {

// Nanoseconds of the steady clock.
Currency Value();
// Counts per second: 1e9.
Currency Frequency();
// Seconds between two counter values, with four decimals.
Currency Seconds(const Currency& start, const Currency& end);

} // namespace HighResolutionCounter
