#pragma once

#include <QObject>

class ArticleGrid;
class BrowserPane;
class FeedTree;
class Provider;
class QLabel;
class QSplitter;
class QWidget;

// The panes of the main window and the three splitters between them: the
// tree above the site image on the left, the article grid above the
// browser pane on the right. Splitter positions are the stored pixels of
// the left or top pane; 0 leaves the default.
class MainLayout : public QObject {
    Q_OBJECT

public:
    explicit MainLayout(QWidget* window);

    QWidget* Root() const;
    FeedTree& Tree() const { return *m_tree; }
    ArticleGrid& Grid() const { return *m_grid; }
    BrowserPane& Browser() const { return *m_browser; }
    QLabel& SiteImage() const { return *m_siteImage; }

    void SetPanesShown(bool providersList, bool siteImage, bool headlineBrowser);
    // The tree's provider nodes and the grid of `provider` (none for null)
    // on the providers' own back colours, or all on the desktop's colours.
    void ShowProviderColours(const Provider* provider, bool use);
    void SetSplitterPositions(int verticalX, int leftY, int rightY);
    int VerticalSplitterX() const;
    int LeftSplitterY() const;
    int RightSplitterY() const;

Q_SIGNALS:
    // A splitter's handle was pressed (true) or let go (false): the user is
    // dragging it.
    void UserBusy(bool busy);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FeedTree* m_tree;
    ArticleGrid* m_grid;
    BrowserPane* m_browser;
    QLabel* m_siteImage;
    QSplitter* m_verticalSplitter;
    QSplitter* m_leftHorizontalSplitter;
    QSplitter* m_rightHorizontalSplitter;
};
