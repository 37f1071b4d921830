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
    , m_labProviderClicks(Counter(QStringLiteral("labProviderClicks"), this))
    , m_labProviderVisits(Counter(QStringLiteral("labProviderVisits"), this))
    , m_labArticleVisits(Counter(QStringLiteral("labArticleVisits"), this))
    , m_labCategoryClicks(Counter(QStringLiteral("labCategoryClicks"), this))
    , m_labCharsRead(Counter(QStringLiteral("labCharsRead"), this))
    , m_lstProviderStatistics(new QTreeWidget(this)) {
    auto* counters = new QFormLayout;
    counters->addRow(QStringLiteral("Provider clicks:"), m_labProviderClicks);
    counters->addRow(QStringLiteral("Provider visits:"), m_labProviderVisits);
    counters->addRow(QStringLiteral("Article visits:"), m_labArticleVisits);
    counters->addRow(QStringLiteral("Category clicks:"), m_labCategoryClicks);
    counters->addRow(QStringLiteral("Characters read:"), m_labCharsRead);

    m_lstProviderStatistics->setObjectName(QStringLiteral("lstProviderStatistics"));
    m_lstProviderStatistics->setRootIsDecorated(false);
    m_lstProviderStatistics->setUniformRowHeights(true);
    m_lstProviderStatistics->setHeaderLabels(
        {QStringLiteral("Provider"), QStringLiteral("Attempted"), QStringLiteral("Successful"),
         QStringLiteral("Last load (s)"), QStringLiteral("Average load (s)")});
    m_lstProviderStatistics->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lstProviderStatistics->header()->setStretchLastSection(false);

    auto* reset = new QPushButton(QStringLiteral("Reset Statistics"), this);
    reset->setObjectName(QStringLiteral("btnResetStatistics"));
    connect(reset, &QPushButton::clicked, this, &StatisticsPage::ResetStatistics);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(reset);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(counters);
    layout->addWidget(m_lstProviderStatistics);
    layout->addLayout(buttons);
}

void StatisticsPage::In(const Settings& settings, ProviderCollection& providers) {
    m_labProviderClicks->setText(QString::number(settings.ProviderSingleClicks));
    m_labProviderVisits->setText(QString::number(settings.ProviderDoubleClicks));
    m_labArticleVisits->setText(QString::number(settings.ArticleDoubleClicks));
    m_labCategoryClicks->setText(QString::number(settings.CategoryClicks));
    m_labCharsRead->setText(QString::number(settings.CharsRead));
    m_providers = &providers;
    Refill();
}

void StatisticsPage::Release() {
    m_providers = nullptr;
    Refill();
}

void StatisticsPage::Refill() {
    m_lstProviderStatistics->clear();
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
    m_lstProviderStatistics->addTopLevelItems(items);
}

void StatisticsPage::ResetStatistics() {
    if (m_providers == nullptr)
        return;
    ProviderStatistics::Reset(*m_providers);
    Refill();
    emit Modified();
}
