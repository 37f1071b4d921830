#include "ui/ArticleGrid.h"
#include "model/Provider.h"
#include "platform/Currency.h"
#include "ui/ArticleRowDelegate.h"
#include "ui/ProviderColour.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString NotRead = QStringLiteral("NOTREAD");
const QString AlreadyRead = QStringLiteral("READ");
const QString TimeFormat = QStringLiteral("dd/MM/yy hh:mm");
// Summaries are set off from the titles in blue, dark or light by the
// background.
const QColor DescriptionOnLight(0, 0, 128);
const QColor DescriptionOnDark(170, 200, 255);

// A round marker in the type column: no image files to ship or lose.
QIcon MarkerIcon(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(2.5, 2.5, 7, 7));
    return QIcon(pixmap);
}

} // namespace

ArticleGrid::ArticleGrid(QWidget* parent)
    : QWidget(parent)
    , m_articles(new QLabel(this))
    , m_gridArticles(new QTreeWidget(this))
    , m_font(m_gridArticles->font())
    , m_newIcon(MarkerIcon(QColor(255, 140, 0)))
    , m_readIcon(MarkerIcon(QColor(200, 200, 200))) {
    m_articles->setObjectName(QStringLiteral("labArticles"));
    m_gridArticles->setObjectName(QStringLiteral("GridArticles"));
    QFont headingFont = m_articles->font();
    headingFont.setBold(true);
    m_articles->setFont(headingFont);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_articles);
    layout->addWidget(m_gridArticles);
    SetUpColumns();

    connect(m_gridArticles, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) {
                if (current)
                    emit ArticleSelected(RowOf(current));
            });
    connect(m_gridArticles, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit ArticleActivated(RowOf(item)); });
}

void ArticleGrid::SetUpColumns() {
    QTreeWidget& grid = *m_gridArticles;
    grid.setColumnCount(ColumnCount);
    grid.setHeaderLabels({QString(), QStringLiteral("Articles"), QString(),
                          QStringLiteral("Stream"), QString(), QString(), QString()});
    for (const Column hidden : {Read, ID, Description})
        grid.setColumnHidden(hidden, true);
    grid.setItemDelegateForColumn(Item, new ArticleRowDelegate(Description, &grid));
    grid.setRootIsDecorated(false);
    grid.setSortingEnabled(false);
    grid.setAllColumnsShowFocus(true);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);

    QHeaderView& header = *grid.header();
    header.setStretchLastSection(false);
    header.setSectionResizeMode(Type, QHeaderView::Fixed);
    header.setSectionResizeMode(Item, QHeaderView::Stretch);
    header.resizeSection(Type, 24);
    header.resizeSection(Received, grid.fontMetrics().horizontalAdvance(TimeFormat) + 16);
    header.resizeSection(Stream, 60);
}

void ArticleGrid::SetProviderName(const QString& name) {
    m_articles->setText(QStringLiteral("Articles from ") + name);
}

void ArticleGrid::FillArticlesList(const Provider& provider, bool highlightNewStories) {
    const QSignalBlocker blocker(m_gridArticles);
    m_gridArticles->setUpdatesEnabled(false);
    m_gridArticles->clear();
    if (const auto& stories = provider.Stories) {
        for (qsizetype n = 1; n <= stories->Count(); ++n) {
            const Story& story = stories->Item(n);
            AddArticleRow(story, stories->ItemURL(n),
                          highlightNewStories && story.NewStory && !story.Opened);
        }
    }
    SelectRow(1);
    m_gridArticles->setUpdatesEnabled(true);
}

void ArticleGrid::Clear() {
    const QSignalBlocker blocker(m_gridArticles);
    m_gridArticles->clear();
}

void ArticleGrid::ShowRowOpened(int row) {
    QTreeWidgetItem* item = m_gridArticles->topLevelItem(row - 1);
    if (item == nullptr)
        return;
    item->setIcon(Type, m_readIcon);
    item->setText(Read, AlreadyRead);
    item->setFont(Item, m_gridArticles->font());
}

void ArticleGrid::AddArticleRow(const Story& story, const QString& url, bool isNew) {
    auto* row = new QTreeWidgetItem(m_gridArticles);
    row->setIcon(Type, isNew ? m_newIcon : m_readIcon);
    row->setText(Item, story.Title);
    row->setText(Received, story.Time.ToQDateTime().toString(TimeFormat));
    row->setText(Read, isNew ? NotRead : AlreadyRead);
    row->setText(ID, url);
    row->setText(Description, story.Description);
    row->setForeground(Description, DescriptionColour());
    // The other cells are one line high: keep them level with the title.
    for (const Column column : {Received, Stream})
        row->setTextAlignment(column, Qt::AlignLeft | Qt::AlignTop);
    if (isNew)
        row->setFont(Item, TitleFont());
}

void ArticleGrid::ApplyFont(const QString& name, const Currency& size) {
    m_gridArticles->setFont(m_font.Chosen(name, size));
    for (int n = 0; n < m_gridArticles->topLevelItemCount(); ++n) {
        QTreeWidgetItem* row = m_gridArticles->topLevelItem(n);
        if (row->text(Read) == NotRead)
            row->setFont(Item, TitleFont());
    }
}

void ArticleGrid::SetBackColour(const QColor& colour) {
    QPalette palette;
    if (colour.isValid()) {
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::AlternateBase, colour);
        palette.setColor(QPalette::Text, ProviderColour::TextOn(colour));
    }
    m_gridArticles->setPalette(palette);
    const QColor description = DescriptionColour();
    for (int n = 0; n < m_gridArticles->topLevelItemCount(); ++n)
        m_gridArticles->topLevelItem(n)->setForeground(Description, description);
}

QWidget& ArticleGrid::Heading() const {
    return *m_articles;
}

QColor ArticleGrid::DescriptionColour() const {
    return ProviderColour::IsDark(m_gridArticles->palette().color(QPalette::Base))
               ? DescriptionOnDark
               : DescriptionOnLight;
}

QFont ArticleGrid::TitleFont() const {
    QFont font = m_gridArticles->font();
    font.setBold(true);
    return font;
}

int ArticleGrid::RowCount() const {
    return m_gridArticles->topLevelItemCount();
}

int ArticleGrid::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_gridArticles->selectedItems();
    return selected.isEmpty() ? 0 : RowOf(selected.first());
}

void ArticleGrid::SelectRow(int r) {
    QTreeWidgetItem* row = m_gridArticles->topLevelItem(r - 1);
    const QSignalBlocker blocker(m_gridArticles);
    if (!row) {
        m_gridArticles->setCurrentItem(nullptr);
        return;
    }
    m_gridArticles->setCurrentItem(row);
    m_gridArticles->scrollToItem(row);
}

int ArticleGrid::RowOf(QTreeWidgetItem* item) const {
    return m_gridArticles->indexOfTopLevelItem(item) + 1;
}
