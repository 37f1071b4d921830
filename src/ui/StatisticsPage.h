#pragma once

#include <QWidget>

class ProviderCollection;
class QLabel;
class QTreeWidget;
class Settings;

// The settings dialog's usage counters and the load statistics of each
// provider of the working list, which can be reset.
class StatisticsPage : public QWidget {
    Q_OBJECT

public:
    explicit StatisticsPage(QWidget* parent = nullptr);

    // Shows the counters of `settings` and lists `providers` until Release.
    void In(const Settings& settings, ProviderCollection& providers);
    void Release();
    // Lists the working list again.
    void Refill();

signals:
    // The working list changed.
    void Modified();

private:
    void ResetStatistics();

    ProviderCollection* m_providers = nullptr;
    QLabel* m_providerClicks;
    QLabel* m_providerVisits;
    QLabel* m_articleVisits;
    QLabel* m_categoryClicks;
    QLabel* m_charsRead;
    QTreeWidget* m_statistics;
};
