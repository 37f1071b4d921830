#include "StartupWindow.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "ui/ArticleGrid.h"
#include "ui/FeedTree.h"

#include <QCoreApplication>

StartupWindow::StartupWindow()
    : m_tree(new FeedTree)
    , m_grid(new ArticleGrid) {
    m_panes.addWidget(m_tree);
    m_panes.addWidget(m_grid);
    m_panes.resize(1000, 700);
    m_panes.setSizes({250, 750});
}

void StartupWindow::Fill(const ProviderCollection& providers) {
    m_tree->Fill(providers);
    m_tree->expandAll();
}

void StartupWindow::ShowFirst(const ProviderCollection& providers) {
    const Provider& first = *providers.Item(1);
    m_tree->SelectProvider(first.UniqueID);
    m_grid->SetProviderName(first.ProviderName);
    m_grid->FillArticlesList(first, true);
    m_panes.show();
    QCoreApplication::processEvents();
    m_panes.repaint();
}
