#include "ui/MainLayout.h"

#include "model/Provider.h"
#include "ui/ArticleGrid.h"
#include "ui/BrowserPane.h"
#include "ui/FeedTree.h"
#include "ui/ProviderColour.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>

namespace {

void SetFirstSize(QSplitter& splitter, int size) {
    if (size <= 0)
        return;
    const QList<int> sizes = splitter.sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), size + 1);
    splitter.setSizes({size, total - size});
}

} // namespace

MainLayout::MainLayout(QWidget* window)
    : QObject(window)
    , m_tree(new FeedTree)
    , m_grid(new ArticleGrid)
    , m_browser(new BrowserPane)
    , m_siteImage(new QLabel)
    , m_verticalSplitter(new QSplitter(Qt::Horizontal, window))
    , m_leftHorizontalSplitter(new QSplitter(Qt::Vertical))
    , m_rightHorizontalSplitter(new QSplitter(Qt::Vertical)) {
    m_siteImage->setAlignment(Qt::AlignCenter);
    m_siteImage->setMinimumHeight(40);
    m_leftHorizontalSplitter->addWidget(m_tree);
    m_leftHorizontalSplitter->addWidget(m_siteImage);
    m_leftHorizontalSplitter->setStretchFactor(0, 1);
    m_rightHorizontalSplitter->addWidget(m_grid);
    m_rightHorizontalSplitter->addWidget(m_browser);
    m_verticalSplitter->addWidget(m_leftHorizontalSplitter);
    m_verticalSplitter->addWidget(m_rightHorizontalSplitter);
    m_verticalSplitter->setStretchFactor(1, 1);
    // Until the user moves them: a narrow tree above a small logo, the
    // articles above a browser pane of the same height.
    m_leftHorizontalSplitter->setSizes({500, 80});
    m_rightHorizontalSplitter->setSizes({300, 300});
    m_verticalSplitter->setSizes({250, 750});
    // QSplitter tells of a move, but neither of the press that starts a drag
    // nor of the release that ends it.
    for (QSplitter* splitter :
         {m_verticalSplitter, m_leftHorizontalSplitter, m_rightHorizontalSplitter})
        splitter->handle(1)->installEventFilter(this);
}

bool MainLayout::eventFilter(QObject* watched, QEvent* event) {
    const bool pressed = event->type() == QEvent::MouseButtonPress;
    if ((pressed || event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit UserBusy(pressed);
    return QObject::eventFilter(watched, event);
}

QWidget* MainLayout::Root() const {
    return m_verticalSplitter;
}

void MainLayout::SetPanesShown(bool providersList, bool siteImage, bool headlineBrowser) {
    m_leftHorizontalSplitter->setVisible(providersList);
    m_siteImage->setVisible(siteImage);
    m_browser->setVisible(headlineBrowser);
}

void MainLayout::ShowProviderColours(const Provider* provider, bool use) {
    m_tree->SetProviderColours(use);
    m_grid->SetBackColour(
        use && provider != nullptr ? ProviderColour::FromPacked(provider->BackColor) : QColor());
}

void MainLayout::SetSplitterPositions(int verticalX, int leftY, int rightY) {
    SetFirstSize(*m_verticalSplitter, verticalX);
    SetFirstSize(*m_leftHorizontalSplitter, leftY);
    SetFirstSize(*m_rightHorizontalSplitter, rightY);
}

int MainLayout::VerticalSplitterX() const {
    return m_verticalSplitter->sizes().value(0);
}

int MainLayout::LeftSplitterY() const {
    return m_leftHorizontalSplitter->sizes().value(0);
}

int MainLayout::RightSplitterY() const {
    return m_rightHorizontalSplitter->sizes().value(0);
}
