#include "core/ProviderStatistics.h"

#include "model/ProviderCollection.h"

namespace {

const QString NoDuration = QStringLiteral("0.0");

} // namespace

ProviderStatistics::Row ProviderStatistics::RowOf(const Provider& provider) {
    Row row{provider.ProviderName, QString::number(provider.AttemptedUpdates),
            QString::number(provider.SuccessfulUpdates), NoDuration, NoDuration};
    if (provider.SuccessfulUpdates > 0) {
        row.lastDuration = Seconds(provider.LastLoadDuration);
        row.averageDuration = Seconds(provider.TotalLoadDuration, provider.SuccessfulUpdates);
    }
    return row;
}

std::vector<ProviderStatistics::Row> ProviderStatistics::Rows(const ProviderCollection& providers) {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(providers.Count()));
    for (const auto& provider : providers)
        rows.push_back(RowOf(*provider));
    return rows;
}

void ProviderStatistics::Reset(ProviderCollection& providers) {
    for (const auto& provider : providers)
        provider->ResetStatistics();
}

// In integers: the scaled value holds four decimals, and a double would
// round some halves the wrong way.
QString ProviderStatistics::Seconds(const Currency& seconds, qint64 divisor) {
    const qint64 perMillisecond = divisor * (Currency::Scale / 1000);
    const qint64 scaled = seconds.Scaled();
    qint64 milliseconds = scaled / perMillisecond;
    const qint64 rest = scaled % perMillisecond;
    if (2 * (rest < 0 ? -rest : rest) >= perMillisecond)
        milliseconds += scaled < 0 ? -1 : 1;
    const qint64 magnitude = milliseconds < 0 ? -milliseconds : milliseconds;
    return QStringLiteral("%1%2.%3")
        .arg(milliseconds < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 1000)
        .arg(magnitude % 1000, 3, 10, QLatin1Char('0'));
}
