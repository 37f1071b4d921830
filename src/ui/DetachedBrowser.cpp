#include "ui/DetachedBrowser.h"
#include "ui/BrowserPane.h"

#include <QVBoxLayout>

DetachedBrowser::DetachedBrowser(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_pane(new BrowserPane(this)) {
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(QStringLiteral("Detached Browser"));
    resize(800, 600);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pane);
}

bool DetachedBrowser::Navigate(const QString& url) {
    return m_pane->ShowArticle(url, url);
}

QUrl DetachedBrowser::Url() const {
    return m_pane->Url();
}
