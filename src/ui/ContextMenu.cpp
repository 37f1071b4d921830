#include "ui/ContextMenu.h"

#include "config/Settings.h"
#include "ui/WindowActions.h"

#include <QStringList>

namespace {

// Named so that it can be shown or hidden like the items around it.
const QString VarnocetSeparator = QStringLiteral("mnuContextVarnocetSeparator");

// The items that come and go with the place clicked; all others always show.
const QStringList PlaceItems = {
    QStringLiteral("mnuContextVarnocet"),
    VarnocetSeparator,
    QStringLiteral("mnuContextCopyArticleURL"),
    QStringLiteral("mnuContextCopySiteURL"),
    QStringLiteral("mnuContextVisit"),
    QStringLiteral("mnuContextProperties"),
    QStringLiteral("mnuContextAddFeed"),
    QStringLiteral("mnuContextReadArticle"),
    QStringLiteral("mnuContextMarkAllRead"),
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
                QStringLiteral("mnuContextMarkAllRead"),
                QStringLiteral("mnuContextMakeProviderInactive"),
                QStringLiteral("mnuContextProperties"),
                QStringLiteral("mnuContextAddFeed"),
                QStringLiteral("mnuContextMinimize")};
    case Place::CategoryNode:
        return {QStringLiteral("mnuContextMakeCategoryInactive"),
                QStringLiteral("mnuContextAddFeed"), QStringLiteral("mnuContextMinimize")};
    case Place::ArticleGrid:
        return {QStringLiteral("mnuContextCopyArticleURL"), VarnocetSeparator,
                QStringLiteral("mnuContextReadArticle"), QStringLiteral("mnuContextMarkAllRead"),
                QStringLiteral("mnuContextMinimize")};
    case Place::OtherPane:
        return {QStringLiteral("mnuContextMinimize")};
    case Place::TrayIcon:
        return {QStringLiteral("mnuContextVarnocet"), VarnocetSeparator};
    }
    return {};
}

} // namespace

const std::array<ContextMenu::ViewItem, 6>& ContextMenu::ViewItems() {
    static const std::array<ViewItem, 6> items = {{
        {"mnuContextHighlightNewStories", "Highlight &New Stories", &Settings::HighlightNewStories},
        {"mnuContextViewActiveProvider", "News &Feeds", &Settings::ShowActiveProvidersList},
        {"mnuContextViewProviderImage", "Feed &Image", &Settings::ShowActiveProviderImage},
        {"mnuContextViewButtons", "Mini &Browser", &Settings::ShowHeadlineBrowser},
        {"mnuContextOnTop", "Always on &Top", &Settings::OnTop},
        {"mnuContextViewBrowser", "Detached Bro&wser", &Settings::ShowBrowser},
    }};
    return items;
}

ContextMenu::ContextMenu(const WindowActions& actions, QWidget* parent)
    : QMenu(parent)
    , m_actions(actions) {
    setObjectName(QStringLiteral("mnuContextMenu"));
    AddItems(this, {"mnuContextVarnocet"});
    AddSeparator(VarnocetSeparator);
    AddItems(this, {"mnuContextCopyArticleURL", "mnuContextCopySiteURL", "mnuContextVisit",
                    "mnuContextProperties", "mnuContextAddFeed", "mnuContextReadArticle",
                    "mnuContextMarkAllRead", "mnuContextMakeCategoryInactive",
                    "mnuContextMakeProviderInactive"});
    addSeparator();
    QMenu* view = addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuContextViewMenu"));
    view->menuAction()->setObjectName(view->objectName());
    m_items.insert(view->objectName(), view->menuAction());
    for (const ViewItem& item : ViewItems())
        AddItems(view, {item.name});
    addSeparator();
    AddItems(this, {"mnuContextMinimize", "mnuContextSettings", "mnuContextAbout", "mnuContextHelp",
                    "mnuContextExit"});
    connect(this, &QMenu::aboutToShow, this, [this] { emit UserBusy(true); });
    connect(this, &QMenu::aboutToHide, this, [this] { emit UserBusy(false); });
}

void ContextMenu::PrepareFor(Place place, const Settings& settings) {
    const QStringList shown = ShownAt(place);
    for (const QString& name : PlaceItems)
        Item(name)->setVisible(shown.contains(name));
    setDefaultAction(place == Place::TrayIcon ? Item(QStringLiteral("mnuContextVarnocet"))
                                              : nullptr);
    for (const ViewItem& item : ViewItems())
        Item(QString::fromLatin1(item.name))->setChecked(settings.*item.preference);
}

void ContextMenu::AddItems(QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        QAction* action = m_actions.Action(QLatin1String(name));
        menu->addAction(action);
        m_items.insert(action->objectName(), action);
    }
}

void ContextMenu::AddSeparator(const QString& name) {
    QAction* separator = addSeparator();
    separator->setObjectName(name);
    m_items.insert(name, separator);
}
