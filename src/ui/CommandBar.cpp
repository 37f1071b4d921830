#include "ui/CommandBar.h"

#include "ui/WindowActions.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int PlayIconOn = 8;
constexpr int MaxArticleEntry = 999;

} // namespace

CommandBar::CommandBar(const WindowActions& actions, QWidget* parent)
    : QToolBar(QStringLiteral("Tool Bar"), parent)
    , m_actions(actions)
    , m_find(new QLineEdit(this)) {
    setObjectName(QStringLiteral("mainCmdBar"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const char* name : {"SETTINGS", "HELP", "ABOUT", "EXIT"})
        addAction(actions.Action(QLatin1String(name)));
    addSeparator();
    addWidget(new QLabel(QStringLiteral("Find "), this));
    m_find->setToolTip(QStringLiteral("Find"));
    m_find->setMaximumWidth(160);
    addWidget(m_find);
    connect(m_find, &QLineEdit::returnPressed, this,
            [this] { emit FindRequested(m_find->text()); });
    addSeparator();
    for (const char* name : {"PREVIOUS", "PLAY", "NEXT"})
        addAction(actions.Action(QLatin1String(name)));
    addSeparator();
    addAction(actions.Action(QStringLiteral("MAIL")));

    QMenu* playMenu = AddMenu(actions.Action(QStringLiteral("PLAY")), QStringLiteral("Play Menu"));
    for (const char* name : {"FAST", "MEDIUM", "SLOW"})
        playMenu->addAction(actions.Action(QLatin1String(name)));
    playMenu->addSeparator();
    for (const char* name : {"FLIPPROVIDERS", "FLIPARTICLES"})
        playMenu->addAction(actions.Action(QLatin1String(name)));
    m_nextMenu = AddMenu(actions.Action(QStringLiteral("NEXT")), QStringLiteral("Next Menu"));
    m_nextMenu->addAction(actions.Action(QStringLiteral("NEXTCATEGORY")));
    m_nextMenu->addSeparator();
    m_previousMenu =
        AddMenu(actions.Action(QStringLiteral("PREVIOUS")), QStringLiteral("Previous Menu"));
    m_previousMenu->addAction(actions.Action(QStringLiteral("PREVIOUSCATEGORY")));
    m_previousMenu->addSeparator();
    SetPlayIcon(6);
}

void CommandBar::SetPlayCaption(const QString& caption) {
    m_actions.Action(QStringLiteral("PLAY"))->setText(caption);
}

void CommandBar::SetPlayIcon(int imageIndex) {
    m_actions.Action(QStringLiteral("PLAY"))
        ->setIcon(QApplication::style()->standardIcon(
            imageIndex == PlayIconOn ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

QMenu* CommandBar::AddMenu(QAction* button, const QString& title) {
    auto* menu = new QMenu(title, this);
    button->setMenu(menu);
    if (auto* tool = qobject_cast<QToolButton*>(widgetForAction(button)))
        tool->setPopupMode(QToolButton::MenuButtonPopup);
    connect(menu, &QMenu::aboutToShow, this, &CommandBar::RebuildArticleMenus);
    connect(menu, &QMenu::aboutToShow, this, [this] { emit UserBusy(true); });
    connect(menu, &QMenu::aboutToHide, this, [this] { emit UserBusy(false); });
    return menu;
}

// The drop-downs list the articles before and after the selected one.
void CommandBar::RebuildArticleMenus() {
    if (m_rebuilding || !m_articles)
        return;
    m_rebuilding = true;
    qDeleteAll(m_articleEntries);
    m_articleEntries.clear();
    const auto [titles, selected] = m_articles();
    for (int row = 1; row < selected && row <= MaxArticleEntry; ++row)
        AddArticleEntry(m_previousMenu, row, titles.value(row - 1));
    for (int step = 1; selected + step <= titles.size() && step <= MaxArticleEntry; ++step)
        AddArticleEntry(m_nextMenu, selected + step, titles.value(selected + step - 1));
    m_rebuilding = false;
}

void CommandBar::AddArticleEntry(QMenu* menu, int row, const QString& title) {
    // A title is shown as it is: an ampersand in it is no mnemonic.
    QAction* entry =
        menu->addAction(QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")));
    connect(entry, &QAction::triggered, this, [this, row] { emit ArticleChosen(row); });
    m_articleEntries.append(entry);
}
