#pragma once

#include <limits>
#include <type_traits>

// Usage counters and running totals stop at their type's maximum instead of
// wrapping or failing: a counter that no longer grows harms nobody, a
// negative one or an aborted shutdown does.
template <typename T>
constexpr T SaturatingAdd(T value, T amount) {
    static_assert(std::is_integral_v<T>);
    T result{};
    if (__builtin_add_overflow(value, amount, &result))
        return amount > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
    return result;
}
