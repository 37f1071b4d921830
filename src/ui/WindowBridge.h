#pragma once

#include "feeds/IntakeEnvironment.h"
#include "retrieval/FlipWindow.h"

class MainForm;

// The main window as the layers below see it: the scheduler and auto-flip
// (FlipWindow) and feed intake (IntakeEnvironment). Each call is passed on
// to the window's views and preferences.
class WindowBridge : public FlipWindow, public IntakeEnvironment {
public:
    explicit WindowBridge(MainForm& form)
        : m_form(form) {}

    qsizetype CurrentProviderIndex() const override;
    QString CurrentCategory() const override;
    bool ShowCategories() const override;
    int TreeSelectionValue() const override;
    Long SelectedTreeProviderID() const override;
    void SetActiveProviderListProviderColor(Provider& provider) override;
    void SetWaitCursor(bool on) override;
    QString RunUpdateCheck() override;
    void OpenPhoneHomePrompt(const QString& text) override;

    int SelectedArticleRow() const override;
    int ArticleRowCount() const override;
    void SelectAndShowArticle(int row) override;
    void ShowProvider(qsizetype index) override;
    void SetPlayButtonCaption(const QString& caption) override;
    void SetPlayButtonIcon(int imageIndex) override;
    void PostNextArticle() override;

    bool HighlightNewStories() const override;
    bool PlayArrivalSounds() const override;
    Currency CounterNow() const override;
    void OperationCompleted() override {}
    void StoriesReplaced(Provider& provider) override;
    void LoadStateChanged(Provider& provider) override;
    void PlayArrivalSound(const QString& soundFile) override;

private:
    MainForm& m_form;
};
