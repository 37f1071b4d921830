#include "ui/StatisticsPage.h"

#include "config/Settings.h"
#include "core/ProviderStatistics.h"
#include "model/ProviderCollection.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel* Counter(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

StatisticsPage::StatisticsPage(QWidget* parent)
    : QWidget(parent)
    , m_providerClicks(Counter(QStringLiteral("labProviderClicks"), this))
    , m_providerVisits(Counter(QStringLiteral("labProviderVisits"), this))
    , m_articleVisits(Counter(QStringLiteral("labArticleVisits"), this))
    , m_categoryClicks(Counter(QStringLiteral("labCategoryClicks"), this))
    , m_charsRead(Counter(QStringLiteral("labCharsRead"), this))
    , m_statistics(new QTreeWidget(this)) {
    auto* counters = new QFormLayout;
    counters->addRow(QStringLiteral("Provider clicks:"), m_providerClicks);
    counters->addRow(QStringLiteral("Provider visits:"), m_providerVisits);
    counters->addRow(QStringLiteral("Article visits:"), m_articleVisits);
    counters->addRow(QStringLiteral("Category clicks:"), m_categoryClicks);
    counters->addRow(QStringLiteral("Characters read:"), m_charsRead);

    m_statistics->setObjectName(QStringLiteral("lstProviderStatistics"));
    m_statistics->setRootIsDecorated(false);
    m_statistics->setUniformRowHeights(true);
    m_statistics->setHeaderLabels({QStringLiteral("Provider"), QStringLiteral("Attempted"),
                                   QStringLiteral("Successful"), QStringLiteral("Last load (s)"),
                                   QStringLiteral("Average load (s)")});
    m_statistics->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_statistics->header()->setStretchLastSection(false);

    auto* reset = new QPushButton(QStringLiteral("Reset Statistics"), this);
    reset->setObjectName(QStringLiteral("btnResetStatistics"));
    connect(reset, &QPushButton::clicked, this, &StatisticsPage::ResetStatistics);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(reset);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(counters);
    layout->addWidget(m_statistics);
    layout->addLayout(buttons);
}

void StatisticsPage::In(const Settings& settings, ProviderCollection& providers) {
    m_providerClicks->setText(QString::number(settings.ProviderSingleClicks));
    m_providerVisits->setText(QString::number(settings.ProviderDoubleClicks));
    m_articleVisits->setText(QString::number(settings.ArticleDoubleClicks));
    m_categoryClicks->setText(QString::number(settings.CategoryClicks));
    m_charsRead->setText(QString::number(settings.CharsRead));
    m_providers = &providers;
    Refill();
}

void StatisticsPage::Release() {
    m_providers = nullptr;
    Refill();
}

void StatisticsPage::Refill() {
    m_statistics->clear();
    if (m_providers == nullptr)
        return;
    QList<QTreeWidgetItem*> items;
    for (const ProviderStatistics::Row& row : ProviderStatistics::Rows(*m_providers)) {
        auto* item = new QTreeWidgetItem(
            {row.name, row.attempted, row.successful, row.lastDuration, row.averageDuration});
        for (int column = 1; column < item->columnCount(); ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_statistics->addTopLevelItems(items);
}

void StatisticsPage::ResetStatistics() {
    if (m_providers == nullptr)
        return;
    ProviderStatistics::Reset(*m_providers);
    Refill();
    emit Modified();
}
