#pragma once

#include <QList>
#include <QStringList>
#include <QToolBar>

#include <functional>

class QLineEdit;
class QMenu;
class WindowActions;

// The main window's command bar: Settings, Help, About, Exit, the find
// box, Previous, Auto Flip and Next with their drop-down menus, and Send,
// showing the window's actions. The drop-downs of Previous and Next also
// list the articles before and after the selected one.
class CommandBar : public QToolBar {
    Q_OBJECT

public:
    // The titles of the article rows and the selected row (1-based, 0 for
    // none), asked for whenever a drop-down with articles opens.
    using ArticleSource = std::function<std::pair<QStringList, int>()>;

    CommandBar(const WindowActions& actions, QWidget* parent = nullptr);

    void SetArticleSource(ArticleSource source) { m_articles = std::move(source); }
    void SetPlayCaption(const QString& caption);
    // The command bar's pictures of the play button: 6 off, 8 on.
    void SetPlayIcon(int imageIndex);

    QLineEdit& FindBox() const { return *m_find; }

Q_SIGNALS:
    void FindRequested(const QString& text);
    // An article of a drop-down was chosen: its row, 1-based.
    void ArticleChosen(int row);
    // A drop-down menu opened (true) or closed (false).
    void UserBusy(bool busy);

private:
    QMenu* AddMenu(QAction* button, const QString& title);
    void RebuildArticleMenus();
    void AddArticleEntry(QMenu* menu, int row, const QString& title);

    const WindowActions& m_actions;
    QLineEdit* m_find;
    QMenu* m_previousMenu;
    QMenu* m_nextMenu;
    QList<QAction*> m_articleEntries;
    ArticleSource m_articles;
    bool m_rebuilding = false;
};
