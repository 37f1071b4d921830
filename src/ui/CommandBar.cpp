#include "ui/CommandBar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int PlayIconOn = 8;
constexpr int MaxArticleEntry = 999;

QIcon StandardIcon(QStyle::StandardPixmap pixmap) {
    return QApplication::style()->standardIcon(pixmap);
}

int NumberAfter(const QString& key, const QString& prefix) {
    if (!key.startsWith(prefix))
        return 0;
    bool ok = false;
    const int number = key.mid(prefix.size()).toInt(&ok);
    return ok && number >= 1 && number <= MaxArticleEntry ? number : 0;
}

} // namespace

CommandBar::CommandBar(QWidget* parent)
    : QToolBar(QStringLiteral("Tool Bar"), parent)
    , m_find(new QLineEdit(this)) {
    setObjectName(QStringLiteral("mainCmdBar"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    AddButton(QStringLiteral("SETTINGS"), QStringLiteral("&Settings"), QStringLiteral("Settings"))
        ->setIcon(StandardIcon(QStyle::SP_FileDialogDetailedView));
    AddButton(QStringLiteral("HELP"), QStringLiteral("Help"), QStringLiteral("Help"))
        ->setIcon(StandardIcon(QStyle::SP_DialogHelpButton));
    AddButton(QStringLiteral("ABOUT"), QStringLiteral("About"), QStringLiteral("About"))
        ->setIcon(StandardIcon(QStyle::SP_MessageBoxInformation));
    AddButton(QStringLiteral("EXIT"), QStringLiteral("E&xit"), QStringLiteral("Exit"))
        ->setIcon(StandardIcon(QStyle::SP_DialogCloseButton));
    addSeparator();
    addWidget(new QLabel(QStringLiteral("Find "), this));
    m_find->setToolTip(QStringLiteral("Find"));
    m_find->setMaximumWidth(160);
    addWidget(m_find);
    connect(m_find, &QLineEdit::returnPressed, this,
            [this] { emit FindRequested(m_find->text()); });
    addSeparator();
    QAction* previous = AddButton(QStringLiteral("PREVIOUS"), QStringLiteral("&Previous"),
                                  QStringLiteral("Previous article"));
    previous->setIcon(StandardIcon(QStyle::SP_ArrowBack));
    QAction* play = AddButton(QStringLiteral("PLAY"), QStringLiteral("Auto&Flip (Off)"),
                              QStringLiteral("Start or stop automatically flipping articles"));
    QAction* next =
        AddButton(QStringLiteral("NEXT"), QStringLiteral("&Next"), QStringLiteral("Next article"));
    next->setIcon(StandardIcon(QStyle::SP_ArrowForward));
    addSeparator();
    AddButton(QStringLiteral("MAIL"), QStringLiteral("&Send"),
              QStringLiteral("Send Article via email"));

    QMenu* playMenu = AddMenu(play, QStringLiteral("Play Menu"));
    AddMenuEntry(playMenu, QStringLiteral("FAST"), QStringLiteral("Fast"));
    AddMenuEntry(playMenu, QStringLiteral("MEDIUM"), QStringLiteral("Medium"));
    AddMenuEntry(playMenu, QStringLiteral("SLOW"), QStringLiteral("Slow"));
    playMenu->addSeparator();
    AddMenuEntry(playMenu, QStringLiteral("FLIPPROVIDERS"), QStringLiteral("Flip Providers"));
    AddMenuEntry(playMenu, QStringLiteral("FLIPARTICLES"), QStringLiteral("Flip Articles"));
    m_nextMenu = AddMenu(next, QStringLiteral("Next Menu"));
    AddMenuEntry(m_nextMenu, QStringLiteral("NEXTCATEGORY"), QStringLiteral("Next Provider"));
    m_nextMenu->addSeparator();
    m_previousMenu = AddMenu(previous, QStringLiteral("Previous Menu"));
    AddMenuEntry(m_previousMenu, QStringLiteral("PREVIOUSCATEGORY"),
                 QStringLiteral("Previous Provider"));
    m_previousMenu->addSeparator();
    SetPlayIcon(6);
}

void CommandBar::SetPlayCaption(const QString& caption) {
    m_actions.value(QStringLiteral("PLAY"))->setText(caption);
}

void CommandBar::SetPlayIcon(int imageIndex) {
    m_actions.value(QStringLiteral("PLAY"))
        ->setIcon(
            StandardIcon(imageIndex == PlayIconOn ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

int CommandBar::ArticleRowOf(const QString& key, int selected, int rows) {
    int row = NumberAfter(key, QStringLiteral("PREVART"));
    if (row == 0) {
        const int step = NumberAfter(key, QStringLiteral("NEXTART"));
        if (step == 0)
            return 0;
        row = selected + step;
    }
    return std::clamp(row, 1, std::max(rows, 1));
}

QAction* CommandBar::AddButton(const QString& key, const QString& caption, const QString& toolTip) {
    QAction* action = addAction(caption);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, [this, key] { emit Command(key); });
    m_actions.insert(key, action);
    return action;
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

void CommandBar::AddMenuEntry(QMenu* menu, const QString& key, const QString& caption) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, key] { emit Command(key); });
    m_actions.insert(key, action);
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
        AddArticleEntry(m_previousMenu, QStringLiteral("PREVART%1").arg(row),
                        titles.value(row - 1));
    for (int step = 1; selected + step <= titles.size() && step <= MaxArticleEntry; ++step)
        AddArticleEntry(m_nextMenu, QStringLiteral("NEXTART%1").arg(step),
                        titles.value(selected + step - 1));
    m_rebuilding = false;
}

void CommandBar::AddArticleEntry(QMenu* menu, const QString& key, const QString& title) {
    // A title is shown as it is: an ampersand in it is no mnemonic.
    QAction* entry =
        menu->addAction(QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")));
    connect(entry, &QAction::triggered, this, [this, key] { emit Command(key); });
    m_articleEntries.append(entry);
}
