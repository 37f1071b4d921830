#pragma once

#include <QStyledItemDelegate>

// Draws an article's title with its description on a second line beneath,
// so a row reads as headline plus summary without a second grid row. The
// description comes from a sibling column of the same row, in that cell's
// colour and the view's own font.
class ArticleRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    ArticleRowDelegate(int descriptionColumn, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Tall enough for the title line, the description line and 2 pixels.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_descriptionColumn;
};
