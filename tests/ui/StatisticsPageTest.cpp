#include "ui/StatisticsPage.h"
#include "config/Settings.h"
#include "model/ProviderCollection.h"
#include "support/NamedProviders.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QStringList Rows(const StatisticsPage& page) {
    const auto* list = page.findChild<QTreeWidget*>(QStringLiteral("lstProviderStatistics"));
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells.append(list->topLevelItem(i)->text(column));
        rows.append(cells.join(u'|'));
    }
    return rows;
}

} // namespace

TEST(StatisticsPageTest, ShowsTheCountersAndTheRowsUntilReset) {
    Settings settings;
    settings.ProviderSingleClicks = 1;
    settings.ProviderDoubleClicks = 2;
    settings.ArticleDoubleClicks = 3;
    settings.CategoryClicks = 4;
    settings.CharsRead = 5000000000;
    const auto list = NamedProviders({"A", "B"});
    ProviderCollection& providers = *list;
    providers.Item(1)->AttemptedUpdates = 3;
    providers.Item(1)->SuccessfulUpdates = 2;
    providers.Item(1)->LastLoadDuration = Currency::FromScaled(15000);
    providers.Item(1)->TotalLoadDuration = Currency::FromScaled(25001);
    providers.Item(2)->AttemptedUpdates = 1;

    StatisticsPage page;
    QSignalSpy modified(&page, &StatisticsPage::Modified);
    page.In(settings, providers);
    QStringList counters;
    for (const char* name : {"labProviderClicks", "labProviderVisits", "labArticleVisits",
                             "labCategoryClicks", "labCharsRead"})
        counters.append(page.findChild<QLabel*>(QString::fromLatin1(name))->text());
    EXPECT_EQ(counters, QStringList({"1", "2", "3", "4", "5000000000"}));
    EXPECT_EQ(Rows(page), QStringList({"A|3|2|1.500|1.250", "B|1|0|0.0|0.0"}));

    // A provider added on another tab shows when the tab is shown again.
    providers.Add(NamedProviders({"C"})->Item(1));
    page.Refill();
    EXPECT_EQ(Rows(page).size(), 3);

    QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("btnResetStatistics")),
                      Qt::LeftButton);
    EXPECT_EQ(Rows(page), QStringList({"A|0|0|0.0|0.0", "B|0|0|0.0|0.0", "C|0|0|0.0|0.0"}));
    EXPECT_EQ(modified.count(), 1);

    page.Release();
    EXPECT_TRUE(Rows(page).isEmpty());
}
