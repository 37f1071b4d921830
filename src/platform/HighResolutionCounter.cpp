#include "platform/HighResolutionCounter.h"

#include <chrono>

namespace HighResolutionCounter {

namespace {
constexpr qint64 NanosecondsPerSecond = 1'000'000'000;
}

Currency Value() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return Currency::FromScaled(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

Currency Frequency() {
    return Currency::FromScaled(NanosecondsPerSecond);
}

Currency Seconds(const Currency& start, const Currency& end) {
    const qint64 elapsed = end.Scaled() - start.Scaled();
    // Counts of 1 ns, result in units of 1/10 000 s: divide by 100 000,
    // rounding half up.
    constexpr qint64 CountsPerUnit = NanosecondsPerSecond / Currency::Scale;
    return Currency::FromScaled((elapsed + CountsPerUnit / 2) / CountsPerUnit);
}

} // namespace HighResolutionCounter
