#pragma once

#include "retrieval/SchedulerWindow.h"

#include <QString>

// The main window as auto-flip sees it: what the scheduler sees, plus the
// article grid, the provider view and the play button.
class FlipWindow : public SchedulerWindow {
public:
    // Article rows are 1-based; 0 when no row is selected.
    virtual int SelectedArticleRow() const = 0;
    virtual int ArticleRowCount() const = 0;
    virtual void SelectAndShowArticle(int row) = 0;

    virtual void ShowProvider(qsizetype index) = 0;

    virtual void SetPlayButtonCaption(const QString& caption) = 0;
    virtual void SetPlayButtonIcon(int imageIndex) = 0;

    // Posts WM_NEXT_ARTICLE to the window, whose handler calls
    // AutoFlip::ToNextArticle once the current event has returned.
    virtual void PostNextArticle() = 0;
};
