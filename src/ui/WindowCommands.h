#pragma once

#include "platform/Types.h"
#include "ui/DesktopActions.h"
#include "ui/WindowActions.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class ProgramCore;
class Provider;
class QLineEdit;
class QMainWindow;
class Settings;
class SettingsDialog;

// What the main window's actions do: the program's commands go to the
// core; what belongs to the window (the clipboard, the desktop's browser
// and mail, minimising, the about box) is done here.
class WindowCommands : public QObject {
    Q_OBJECT

public:
    WindowCommands(ProgramCore& core, QMainWindow& window,
                   DesktopActions desktop = DesktopActions());

    const WindowActions& Actions() const { return *m_actions; }
    SettingsDialog& SettingsWindow() { return *m_settings; }
    void SetFindBox(QLineEdit* box) { m_findBox = box; }
    // The tree node a context menu was opened on: a provider's ID (0 for a
    // category node or another pane) and a category path.
    void SetContext(Long providerID, const QString& category);

    // Opens story `row` in the desktop's browser.
    void ReadArticle(int row);
    // Beeps when nothing matches.
    void Find(const QString& text);
    // Brings the window back from the tray, the task bar or behind others,
    // in the state it had (a maximised window comes back maximised).
    void RestoreWindow();

private:
    QList<WindowActions::Entry> Table();
    QList<WindowActions::Entry> ViewEntries();
    // Runs a command with the timers held.
    std::function<void()> Busy(std::function<void()> command);
    void AddFeed();
    void ShowHelp();
    void ShowAbout();
    void SendSelectedArticle();
    void CopyArticleURL() const;
    void CopySiteURL() const;
    void VisitSite() const;
    void ToggleView(bool Settings::*preference);
    void FocusFindBox();
    // Reads the skin directory again and wears the chosen skin afresh, for
    // a user who is making one.
    void ReloadSkin();
    std::shared_ptr<Provider> ContextProvider() const;

    ProgramCore& m_core;
    QMainWindow& m_window;
    DesktopActions m_desktop;
    QLineEdit* m_findBox = nullptr;
    Long m_contextProviderID = 0;
    QString m_contextCategory;
    SettingsDialog* m_settings;
    WindowActions* m_actions;
};
