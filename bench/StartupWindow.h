#pragma once

#include <QSplitter>

class ArticleGrid;
class FeedTree;
class ProviderCollection;

// The panes that start-up fills, at a usual window size: the provider tree
// with every category open, and the first provider shown (its node
// selected, its stories in the grid, the window painted).
class StartupWindow {
public:
    StartupWindow();

    void Fill(const ProviderCollection& providers);
    void ShowFirst(const ProviderCollection& providers);

private:
    QSplitter m_panes;
    FeedTree* m_tree;
    ArticleGrid* m_grid;
};
