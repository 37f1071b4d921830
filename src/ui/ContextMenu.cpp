#include "ui/ContextMenu.h"

#include "config/Settings.h"

#include <QStringList>

namespace {

// Named so that it can be shown or hidden like the items around it.
const QString VarnocetSeparator = QStringLiteral("mnuContextVarnocetSeparator");

struct ViewItem {
    const char* name;
    const char* caption;
    bool Settings::*preference;
};

constexpr ViewItem ViewItems[] = {
    {"mnuContextHighlightNewStories", "Highlight &New Stories", &Settings::HighlightNewStories},
    {"mnuContextViewActiveProvider", "News &Feeds", &Settings::ShowActiveProvidersList},
    {"mnuContextViewProviderImage", "Feed &Image", &Settings::ShowActiveProviderImage},
    {"mnuContextViewButtons", "Mini &Browser", &Settings::ShowHeadlineBrowser},
    {"mnuContextOnTop", "Always on &Top", &Settings::OnTop},
    {"mnuContextViewBrowser", "Detached Bro&wser", &Settings::ShowBrowser},
};

// The items that come and go with the place clicked; all others always show.
const QStringList PlaceItems = {
    QStringLiteral("mnuContextVarnocet"),
    VarnocetSeparator,
    QStringLiteral("mnuContextCopyArticleURL"),
    QStringLiteral("mnuContextCopySiteURL"),
    QStringLiteral("mnuContextVisit"),
    QStringLiteral("mnuContextProperties"),
    QStringLiteral("mnuContextReadArticle"),
    QStringLiteral("mnuContextMakeCategoryInactive"),
    QStringLiteral("mnuContextMakeProviderInactive"),
    QStringLiteral("mnuContextMinimize"),
};

QStringList ShownAt(ContextMenu::Place place) {
    using Place = ContextMenu::Place;
    switch (place) {
    case Place::ProviderNode:
        return {QStringLiteral("mnuContextCopySiteURL"),
                VarnocetSeparator,
                QStringLiteral("mnuContextVisit"),
                QStringLiteral("mnuContextMakeProviderInactive"),
                QStringLiteral("mnuContextProperties"),
                QStringLiteral("mnuContextMinimize")};
    case Place::CategoryNode:
        return {QStringLiteral("mnuContextMakeCategoryInactive"),
                QStringLiteral("mnuContextMinimize")};
    case Place::ArticleGrid:
        return {QStringLiteral("mnuContextCopyArticleURL"), VarnocetSeparator,
                QStringLiteral("mnuContextReadArticle"), QStringLiteral("mnuContextMinimize")};
    case Place::OtherPane:
        return {QStringLiteral("mnuContextMinimize")};
    case Place::TrayIcon:
        return {QStringLiteral("mnuContextVarnocet"), VarnocetSeparator};
    }
    return {};
}

} // namespace

ContextMenu::ContextMenu(QWidget* parent)
    : QMenu(parent) {
    setObjectName(QStringLiteral("mnuContextMenu"));
    AddItem(this, QStringLiteral("mnuContextVarnocet"), QStringLiteral("Varnocet"));
    AddSeparator(VarnocetSeparator);
    AddItem(this, QStringLiteral("mnuContextCopyArticleURL"), QStringLiteral("&Copy Article URL"));
    AddItem(this, QStringLiteral("mnuContextCopySiteURL"), QStringLiteral("C&opy Site URL"));
    AddItem(this, QStringLiteral("mnuContextVisit"), QStringLiteral("V&isit Provider Site"));
    AddItem(this, QStringLiteral("mnuContextProperties"), QStringLiteral("&Properties"));
    AddItem(this, QStringLiteral("mnuContextReadArticle"), QStringLiteral("&Read Article"));
    AddItem(this, QStringLiteral("mnuContextMakeCategoryInactive"),
            QStringLiteral("Make &Inactive"));
    AddItem(this, QStringLiteral("mnuContextMakeProviderInactive"),
            QStringLiteral("Make &Inactive"));
    addSeparator();
    QMenu* view = addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuContextViewMenu"));
    view->menuAction()->setObjectName(view->objectName());
    m_items.insert(view->objectName(), view->menuAction());
    for (const ViewItem& item : ViewItems)
        AddItem(view, QString::fromLatin1(item.name), QString::fromLatin1(item.caption))
            ->setCheckable(true);
    addSeparator();
    AddItem(this, QStringLiteral("mnuContextMinimize"), QStringLiteral("Minimi&ze"));
    AddItem(this, QStringLiteral("mnuContextSettings"), QStringLiteral("&Settings"));
    AddItem(this, QStringLiteral("mnuContextAbout"), QStringLiteral("&About"));
    AddItem(this, QStringLiteral("mnuContextHelp"), QStringLiteral("&Help"));
    AddItem(this, QStringLiteral("mnuContextExit"), QStringLiteral("E&xit"));
    connect(this, &QMenu::aboutToShow, this, [this] { emit UserBusy(true); });
    connect(this, &QMenu::aboutToHide, this, [this] { emit UserBusy(false); });
}

void ContextMenu::PrepareFor(Place place, const Settings& settings) {
    const QStringList shown = ShownAt(place);
    for (const QString& name : PlaceItems)
        Item(name)->setVisible(shown.contains(name));
    setDefaultAction(place == Place::TrayIcon ? Item(QStringLiteral("mnuContextVarnocet"))
                                              : nullptr);
    for (const ViewItem& item : ViewItems)
        Item(QString::fromLatin1(item.name))->setChecked(settings.*item.preference);
}

QAction* ContextMenu::AddItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    m_items.insert(name, action);
    connect(action, &QAction::triggered, this, [this, name] { emit Chosen(name); });
    return action;
}

void ContextMenu::AddSeparator(const QString& name) {
    QAction* separator = addSeparator();
    separator->setObjectName(name);
    m_items.insert(name, separator);
}
