#include "ui/ArticleGrid.h"
#include "model/Provider.h"
#include "platform/Currency.h"
#include "support/TestData.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class ArticleGridTest : public ::testing::Test {
protected:
    // Stories titled `titles`, the first `fresh` of them new.
    void Fill(const QStringList& titles, qsizetype fresh = 0) {
        provider.Stories = std::make_shared<StoryCollection>();
        for (const QString& title : titles)
            provider.Stories->Add(title, title + QStringLiteral(" in brief"),
                                  QStringLiteral("http://news.example/") + title,
                                  Date::FromParts(2024, 3, 5, 14, 7), 0,
                                  titles.indexOf(title) < fresh);
        provider.Stories->Compress();
        grid.FillArticlesList(provider, true);
    }

    QTreeWidgetItem* Row(int r) const { return Tree()->topLevelItem(r - 1); }
    QTreeWidget* Tree() const {
        return grid.findChild<QTreeWidget*>(QStringLiteral("GridArticles"));
    }

    Provider provider;
    ArticleGrid grid;
};

} // namespace

// What the rows show, and which row is selected as the user clicks, is
// walked through the main window (tests/data/main-window/article-grid*):
// here the received time's form and a selection outside the rows.
TEST_F(ArticleGridTest, RowsShowTheReceivedTimeAndASelectionOutsideTheRowsClearsIt) {
    QSignalSpy selected(&grid, &ArticleGrid::ArticleSelected);
    Fill({"One", "Two", "Three"});
    EXPECT_EQ(Row(2)->text(ArticleGrid::Received), "05/03/24 14:07");
    for (const int outside : {0, 4}) {
        grid.SelectRow(3);
        EXPECT_EQ(grid.SelectedRow(), 3);
        grid.SelectRow(outside);
        EXPECT_EQ(grid.SelectedRow(), 0) << outside;
    }
    EXPECT_EQ(selected.count(), 0);
    provider.Stories.reset();
    grid.FillArticlesList(provider, true);
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST_F(ArticleGridTest, RowsFitTitleAndDescriptionInTheChosenFont) {
    const QFont builtIn = Tree()->font();
    Fill({"Bold news", "Old news"}, 1);
    grid.ApplyFont(QStringLiteral("DejaVu Sans"), Currency::FromDouble(14));
    EXPECT_EQ(Tree()->font().pointSizeF(), 14.0);
    const QFont title = Row(1)->font(ArticleGrid::Item);
    EXPECT_TRUE(title.bold());
    EXPECT_EQ(title.pointSizeF(), 14.0);
    grid.show();
    const int lineHeight = QFontMetrics(Tree()->font()).height();
    EXPECT_EQ(Tree()->visualItemRect(Row(1)).height(),
              QFontMetrics(title).height() + lineHeight + 2);

    grid.ApplyFont(QStringLiteral("DejaVu Sans"), Currency());
    EXPECT_EQ(Tree()->font(), builtIn);
}

// Which colours the rows take on a provider's back colour is walked through
// the main window (tests/data/main-window/readable-colours).
