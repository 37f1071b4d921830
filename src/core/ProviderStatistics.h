#pragma once

#include "platform/Currency.h"

#include <QString>

#include <vector>

class Provider;
class ProviderCollection;

// The per-provider load statistics as the settings dialog lists them.
class ProviderStatistics {
public:
    struct Row {
        QString name;
        QString attempted;
        QString successful;
        // Seconds with three decimals; "0.0" before the first successful
        // update.
        QString lastDuration;
        QString averageDuration;
    };

    static Row RowOf(const Provider& provider);
    // One row per provider, in list order.
    static std::vector<Row> Rows(const ProviderCollection& providers);
    // Zeroes the statistics of every provider.
    static void Reset(ProviderCollection& providers);

    // `seconds` divided by `divisor`, rounded to three decimals (halves away
    // from zero).
    static QString Seconds(const Currency& seconds, qint64 divisor = 1);
};
