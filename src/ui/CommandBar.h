#pragma once

#include <QHash>
#include <QStringList>
#include <QToolBar>

#include <functional>

class QLineEdit;
class QMenu;

// The main window's command bar: Settings, Help, About, Exit, the find
// box, Previous, Auto Flip and Next with their drop-down menus, and Send.
// Every button and menu entry is announced by its key ("PLAY", "FAST",
// "NEXTART2", ...); the window decides what it does.
class CommandBar : public QToolBar {
    Q_OBJECT

public:
    // The titles of the article rows and the selected row (1-based, 0 for
    // none), asked for whenever a drop-down with articles opens.
    using ArticleSource = std::function<std::pair<QStringList, int>()>;

    explicit CommandBar(QWidget* parent = nullptr);

    void SetArticleSource(ArticleSource source) { m_articles = std::move(source); }
    void SetPlayCaption(const QString& caption);
    // The command bar's pictures of the play button: 6 off, 8 on.
    void SetPlayIcon(int imageIndex);

    QAction* Action(const QString& key) const { return m_actions.value(key); }
    QLineEdit& FindBox() const { return *m_find; }

    // "PREVART" + k: row k; "NEXTART" + k: row `selected` + k; both kept
    // within 1 ... rows. 0 when `key` is neither.
    static int ArticleRowOf(const QString& key, int selected, int rows);

Q_SIGNALS:
    void Command(const QString& key);
    void FindRequested(const QString& text);
    // A drop-down menu opened (true) or closed (false).
    void UserBusy(bool busy);

private:
    QAction* AddButton(const QString& key, const QString& caption, const QString& toolTip);
    QMenu* AddMenu(QAction* button, const QString& title);
    void AddMenuEntry(QMenu* menu, const QString& key, const QString& caption);
    void RebuildArticleMenus();
    void AddArticleEntry(QMenu* menu, const QString& key, const QString& title);

    QHash<QString, QAction*> m_actions;
    QLineEdit* m_find;
    QMenu* m_previousMenu;
    QMenu* m_nextMenu;
    QList<QAction*> m_articleEntries;
    ArticleSource m_articles;
    bool m_rebuilding = false;
};
