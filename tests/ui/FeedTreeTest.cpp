#include "ui/FeedTree.h"
#include "feeds/FeedFormat.h"
#include "model/ProviderCollection.h"
#include "support/TestData.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QSignalSpy>

#include <set>

#include <gtest/gtest.h>

namespace {

class FeedTreeTest : public ::testing::Test {
protected:
    std::shared_ptr<Provider> AddProvider(const char* name, const char* category, Long id,
                                          bool active = true) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = QString::fromUtf8(name);
        provider->Category = QString::fromUtf8(category);
        provider->UniqueID = id;
        provider->Active = active;
        return providers.Add(provider);
    }

    // As start-up does: parents first, visibility derived, then the tree.
    void FillTree() {
        Categories().SortByName(1, Categories().Count());
        Categories().ComputeVisibility();
        tree.Fill(providers);
        tree.expandAll();
    }

    CategoryCollection& Categories() { return providers.Categories(); }

    QTreeWidgetItem* Node(const char* text) const {
        const auto found =
            tree.findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.front() : nullptr;
    }

    void Drop(const QString& text, const QTreeWidgetItem* target) {
        QMimeData mime;
        mime.setText(text);
        const QPoint at = target ? tree.visualItemRect(target).center() : QPoint(5, 390);
        // A drop reaches only the widget that took the drag's entry.
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree.viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree.viewport(), &drop);
    }

    ProviderCollection providers;
    FeedTree tree;
};

} // namespace

// A node follows its provider on a repaint of that provider alone: its icon
// by the load state, its name (its address until the feed gave one) and the
// last load time while the preference is on. Nodes take the chosen font (size
// zero restoring the built-in font is the list font's, checked with the
// article grid).
TEST_F(FeedTreeTest, ARepaintShowsThatProvidersStateNameAndLoadTimeInTheChosenFont) {
    const char* names[] = {"Quiet", "Fresh", "Busy", "Broken", "Odd"};
    const Long states[] = {LoadState::Loaded, LoadState::LoadedWithNewStories, LoadState::Loading,
                           LoadState::Failed, 7};
    std::vector<std::shared_ptr<Provider>> shown;
    for (int i = 0; i < 5; ++i) {
        shown.push_back(AddProvider(names[i], "News", i + 1));
        shown.back()->LoadState = states[i];
    }
    const auto hidden = AddProvider("Hidden", "News", 9, false);
    const auto unnamed = AddProvider("", "News", 10);
    unnamed->DataURL = "https://example.org/feed";
    FillTree();
    QTreeWidgetItem* node = Node("https://example.org/feed");
    ASSERT_NE(node, nullptr);
    auto iconKeys = [&] {
        std::vector<qint64> keys;
        for (const char* name : names)
            keys.push_back(Node(name)->icon(0).cacheKey());
        return keys;
    };
    const std::vector<qint64> before = iconKeys();
    EXPECT_EQ(std::set<qint64>(before.begin(), before.begin() + 4).size(), 4u);
    EXPECT_TRUE(Node("Odd")->icon(0).isNull());
    EXPECT_EQ(node->toolTip(0), "");
    EXPECT_FALSE(node->flags() & Qt::ItemIsEditable) << "only a category is renamed in place";

    shown[0]->LoadState = LoadState::Failed;
    tree.SetActiveProviderListProviderColor(*shown[0]);
    tree.SetActiveProviderListProviderColor(*hidden);
    std::vector<qint64> expected = before;
    expected[0] = before[3];
    EXPECT_EQ(iconKeys(), expected);

    QSignalSpy changed(tree.model(), &QAbstractItemModel::dataChanged);
    unnamed->ProviderName = "Example News";
    tree.SetActiveProviderListProviderColor(*unnamed);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(node->text(0), "Example News");

    tree.SetShowLastLoadTimeTooltip(true);
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/load_time_tips.tsv"))) {
        unnamed->LastLoadDuration = Currency::FromScaled(c[0].toLongLong());
        tree.SetActiveProviderListProviderColor(*unnamed);
        EXPECT_EQ(node->toolTip(0), c[1]);
    }
    tree.SetShowLastLoadTimeTooltip(false);
    EXPECT_EQ(node->toolTip(0), "");

    tree.show();
    tree.ApplyFont("DejaVu Sans", Currency::FromDouble(21));
    EXPECT_EQ(tree.font().family(), "DejaVu Sans");
    EXPECT_EQ(tree.font().pointSizeF(), 21.0);
    EXPECT_GE(tree.visualItemRect(node).height(), QFontMetrics(tree.font()).height());
}

TEST_F(FeedTreeTest, OnlyDroppedWebAddressesBecomeProviders) {
    AddProvider("Daily", "World/News", 1);
    FillTree();
    tree.resize(300, 400);
    tree.show();
    QSignalSpy dropped(&tree, &FeedTree::ProviderURLDropped);

    // Dropped texts, the node they are dropped on ("Daily" unless said,
    // empty: below every node) and the address and category each becomes.
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/feed-tree-drops.json"))) {
        SCOPED_TRACE(c["text"].toString().toStdString());
        dropped.clear();
        const QString onto = c["onto"].toString(QStringLiteral("Daily"));
        Drop(c["text"].toString(), onto.isEmpty() ? nullptr : Node(onto.toUtf8().constData()));
        QStringList becomes;
        for (const QList<QVariant>& signal : dropped)
            becomes.append(signal[0].toString() + " in " + signal[1].toString());
        EXPECT_EQ(becomes.join(u'|'), c["dropped"].toString());
    }
}

// Which categories and providers the tree shows, and renaming a category in
// place, are walked through the main window
// (tests/data/main-window/tree-categories-and-renames).
TEST_F(FeedTreeTest, SelectionRoundTrip) {
    AddProvider("Daily", "News", 41);
    AddProvider("Gadgets", "News/Tech", 42);
    FillTree();
    QSignalSpy providerSelected(&tree, &FeedTree::ProviderSelected);
    QSignalSpy categorySelected(&tree, &FeedTree::CategorySelected);

    const int filled = tree.SelectionValue();
    ASSERT_TRUE(tree.SelectProvider(42));
    EXPECT_EQ(tree.SelectedProviderID(), 42);
    EXPECT_EQ(tree.SelectedCategoryPath(), "");
    EXPECT_EQ(providerSelected.count(), 0);
    EXPECT_FALSE(tree.SelectProvider(7));
    EXPECT_EQ(tree.SelectedProviderID(), 42);

    tree.setCurrentItem(Node("Tech"));
    EXPECT_FALSE(tree.SelectedProviderID().has_value());
    EXPECT_EQ(categorySelected, QList<QVariantList>({{"News/Tech"}}));
    tree.setCurrentItem(Node("Daily"));
    EXPECT_EQ(providerSelected, QList<QVariantList>({{41}}));

    const int selected = tree.SelectionValue();
    EXPECT_NE(selected, filled);
    tree.Fill(providers);
    EXPECT_NE(tree.SelectionValue(), selected);
}
