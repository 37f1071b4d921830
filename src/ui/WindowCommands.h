#pragma once

#include <QString>

class MainForm;
class QKeyEvent;

// What the command bar's buttons and the window's keys do, on the window
// and the services it holds.
class WindowCommands {
public:
    explicit WindowCommands(MainForm& form)
        : m_form(form) {}

    void OnCommand(const QString& key);
    // An item of the context menu, by its name.
    void OnContextItem(const QString& item);
    // Looks for `text` in the titles after the selected story, then in the
    // other providers' stories in list order; beeps when nothing matches.
    void FindStory(const QString& text);
    // True when the key was one of the window's.
    bool HandleKey(const QKeyEvent& key);

private:
    void ToPreviousArticle();
    void SendSelectedArticle();
    void ShowAbout();
    void CopyArticleURL() const;
    void MakeCategoryInactive();
    void MakeProviderInactive();
    // Flips a View preference and lays the window out again; other items
    // (the settings dialog) come with their windows.
    void ToggleView(const QString& item);

    MainForm& m_form;
};
