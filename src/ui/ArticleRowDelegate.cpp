#include "ui/ArticleRowDelegate.h"

#include <QApplication>
#include <QPainter>

ArticleRowDelegate::ArticleRowDelegate(int descriptionColumn, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_descriptionColumn(descriptionColumn) {}

void ArticleRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const QString title = opt.text;
    // The style draws background, selection and focus; the two lines are ours.
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    const QFontMetrics titleMetrics(opt.font);
    const QRect titleRect = textRect.adjusted(0, 1, 0, 0);
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(titleRect, Qt::AlignLeft | Qt::AlignTop,
                      titleMetrics.elidedText(title, Qt::ElideRight, titleRect.width()));

    const QModelIndex description = index.siblingAtColumn(m_descriptionColumn);
    const QFontMetrics descriptionMetrics(option.font);
    const QColor colour = description.data(Qt::ForegroundRole).value<QBrush>().color();
    painter->setFont(option.font);
    painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText) : colour);
    // Feeds break summaries anywhere; one line under the title is all a row has.
    const QString text = description.data().toString().simplified();
    painter->drawText(titleRect.adjusted(0, titleMetrics.height(), 0, 0),
                      Qt::AlignLeft | Qt::AlignTop,
                      descriptionMetrics.elidedText(text, Qt::ElideRight, titleRect.width()));
    painter->restore();
}

QSize ArticleRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QSize single = QStyledItemDelegate::sizeHint(option, index);
    return {single.width(),
            QFontMetrics(opt.font).height() + QFontMetrics(option.font).height() + 2};
}
