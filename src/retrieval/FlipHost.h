#pragma once

#include "retrieval/SchedulerHost.h"

// What auto-flip asks of the running program: what the scheduler asks, plus
// the stories of the provider on show, and moving to another story or
// provider.
class FlipHost : public SchedulerHost {
public:
    // Article rows are 1-based; 0 when no row is selected.
    virtual int SelectedArticleRow() const = 0;
    virtual int ArticleRowCount() const = 0;
    virtual void SelectAndShowArticle(int row) = 0;

    virtual void ShowProvider(qsizetype index) = 0;
};
