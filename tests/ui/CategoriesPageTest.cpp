#include "ui/CategoriesPage.h"
#include "model/ProviderCollection.h"
#include "support/FiledProviders.h"
#include "support/RecordingMessageBox.h"
#include "ui/CategoryPathTree.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CategoriesPageTest : public ::testing::Test {
protected:
    void SetUp() override { page.In(providers); }

    template <typename T>
    T* Child(const char* name) const {
        T* child = page.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    CategoryPathTree* Tree() const { return Child<CategoryPathTree>("tvCategories"); }
    QLineEdit* NameBox() const { return Child<QLineEdit>("txtCategoriesName"); }

    void Click(const char* button) const {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }

    void SelectCategory(const QString& path) const { Tree()->setCurrentItem(Tree()->NodeOf(path)); }

    // Types over the name and confirms it with Return.
    void TypeName(const QString& name) const {
        NameBox()->selectAll();
        QTest::keyClick(NameBox(), Qt::Key_Backspace);
        QTest::keyClicks(NameBox(), name);
        QTest::keyClick(NameBox(), Qt::Key_Return);
    }

    // The tree as the user sees it: one line per node, indented by level,
    // "*" on the selected one.
    QStringList TreeLines() const {
        QStringList lines;
        for (QTreeWidgetItemIterator it(Tree()); *it != nullptr; ++it) {
            int depth = 0;
            for (const QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent())
                ++depth;
            lines.append(QString(depth * 2, u' ') + (*it)->text(0) +
                         ((*it) == Tree()->currentItem() ? QStringLiteral(" *") : QString()));
        }
        return lines;
    }

    QStringList& Messages() const { return RecordingMessageBox::Instance().Texts; }

    ProviderCollection providers =
        FiledProviders({{"n", "News"}, {"t", "News/Tech"}, {"s", "Sports"}, {"u", "Sports"}});
    CategoriesPage page;
    QSignalSpy modified{&page, &CategoriesPage::Modified};
};

} // namespace

TEST_F(CategoriesPageTest, ShowsTheWorkingListAndLetsGoOfIt) {
    EXPECT_EQ(TreeLines(), QStringList({"News *", "  Tech", "Sports"}));
    SelectCategory("News/Tech");
    EXPECT_EQ(NameBox()->text(), "Tech");
    EXPECT_TRUE(Child<QCheckBox>("chkCategoriesActive")->isChecked());

    // Another tab changed the list: the selection stays.
    providers.Categories().EnsureCategory("Arts", true, true);
    providers.Categories().SortByName(1, providers.Categories().Count());
    page.Refill();
    EXPECT_EQ(TreeLines(), QStringList({"Arts", "News", "  Tech *", "Sports"}));

    page.Release();
    EXPECT_TRUE(TreeLines().isEmpty());
    EXPECT_FALSE(NameBox()->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("btnCategoriesNewTop")->isEnabled());
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(CategoriesPageTest, NewCategoriesAreAddedWithinTheSelectedOneOrAtTheTop) {
    SelectCategory("Sports");
    Click("btnCategoriesNewWithin");
    EXPECT_EQ(TreeLines(), QStringList({"News", "  Tech", "Sports", "  New *"}));
    EXPECT_EQ(NameBox()->text(), "New");
    Click("btnCategoriesNewTop");
    EXPECT_EQ(TreeLines(), QStringList({"New *", "News", "  Tech", "Sports", "  New"}));
    EXPECT_EQ(modified.count(), 2);
}

// Which names and deletions are refused, and where the providers go, is
// the category editor's; the page carries the edits and shows its word.
TEST_F(CategoriesPageTest, RenamingMovesTheProvidersAndRefusesBadNamesAndSlashes) {
    SelectCategory("News");
    TypeName("World");
    EXPECT_EQ(TreeLines(), QStringList({"Sports", "World *", "  Tech"}));
    TypeName("World "); // the same name: nothing to do
    TypeName("SPORTS");
    EXPECT_EQ(Messages(), QStringList({"There is already a category with that name!"}));
    EXPECT_EQ(NameBox()->text(), "SPORTS"); // left for the user to correct
    EXPECT_EQ(modified.count(), 1);

    // A slash cannot be typed.
    TypeName("Left/Right");
    EXPECT_EQ(NameBox()->text(), "LeftRight");
    EXPECT_EQ(TreeLines(), QStringList({"LeftRight *", "  Tech", "Sports"}));
}

TEST_F(CategoriesPageTest, TheActiveBoxSwitchesTheCategoryAndDeleteSaysWhatItDid) {
    SelectCategory("News");
    QTest::mouseClick(Child<QCheckBox>("chkCategoriesActive"), Qt::LeftButton);
    EXPECT_EQ(CategoryLines(providers),
              QStringList({"News (inactive)", "News/Tech (hidden)", "Sports"}));
    SelectCategory("Sports");
    SelectCategory("News");
    EXPECT_FALSE(Child<QCheckBox>("chkCategoriesActive")->isChecked());

    Click("btnCategoriesDelete");
    SelectCategory("Sports");
    Click("btnCategoriesDelete");
    EXPECT_EQ(Messages(), QStringList({"You must delete the categories within the selected \n"
                                       "category before deleting the category itself.",
                                       "The deleted category contained 2 providers. They have been "
                                       "reassigned to category 'General'"}));
    EXPECT_EQ(TreeLines(), QStringList({"General *", "News", "  Tech"}));
    EXPECT_EQ(modified.count(), 2);
}
