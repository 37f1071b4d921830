#pragma once

#include "ui/ListFont.h"

#include <QIcon>
#include <QWidget>

class Currency;
class Provider;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
struct Story;

// The "Articles from ..." heading and the grid of the current provider's
// stories: one row per story, in the collection's order (the grid never
// sorts). Rows are numbered from 1; 0 stands for no row.
class ArticleGrid : public QWidget {
    Q_OBJECT

public:
    enum Column { Type, Item, Received, Stream, Read, ID, Description, ColumnCount };

    explicit ArticleGrid(QWidget* parent = nullptr);

    void SetProviderName(const QString& name);
    // Replaces every row with the provider's stories and selects row 1 when
    // there is one. A story counts as new only while highlightNewStories is
    // on. Emits no ArticleSelected: the caller decides what to show.
    void FillArticlesList(const Provider& provider, bool highlightNewStories);
    void Clear();
    // Row `row` (from 1) is drawn as a story the user has opened.
    void ShowRowOpened(int row);
    // The grid's font; a size of 0 or less restores its built-in font and
    // ignores the name. New rows follow in bold.
    void ApplyFont(const QString& name, const Currency& size);
    // The grid's background, with text that stays readable on it; an
    // invalid colour gives the grid back the desktop's colours.
    void SetBackColour(const QColor& colour);
    // The heading, which does nothing with the mouse.
    QWidget& Heading() const;

    int RowCount() const;
    int SelectedRow() const;
    // Selects row r and scrolls it into view, without emitting ArticleSelected.
    // A row outside 1 ... RowCount leaves no row selected.
    void SelectRow(int r);

signals:
    // The user moved the selection to row r.
    void ArticleSelected(int r);
    // The user asked to read row r: double click or Enter.
    void ArticleActivated(int r);

private:
    void SetUpColumns();
    void AddArticleRow(const Story& story, const QString& url, bool isNew);
    QFont TitleFont() const;
    QColor DescriptionColour() const;
    int RowOf(QTreeWidgetItem* item) const;

    QLabel* m_articles;
    QTreeWidget* m_gridArticles;
    ListFont m_font;
    QIcon m_newIcon;
    QIcon m_readIcon;
};
