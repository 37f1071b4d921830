#pragma once

#include <QDateTime>

// The current instant. Tests put a fixed one in place so that "now" (feeds
// without dates, the ten-year plausibility rule) is reproducible.
namespace Clock {

QDateTime NowUtc();
// Fixes NowUtc until ResetNow (tests).
void SetNow(const QDateTime& instant);
void ResetNow();

} // namespace Clock
