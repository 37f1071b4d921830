#pragma once

#include <QString>
#include <QtGlobal>

// A cheap, stable hash of a headline's text, used to find the titles of the
// previous load quickly. It only ever lives in memory, never in a file.
//
// Each character contributes its Windows-1252 code: h = h * 5 + code. Once h
// passes 429496678 (so that h * 5 + 255 still fits 31 bits), the next
// character instead divides h by 57 (rounded) and is not counted. The result
// is never negative; titles differing only in such skipped characters hash
// alike, so callers confirm a hit by comparing the titles.
qint32 TitleHash(const QString& text);
