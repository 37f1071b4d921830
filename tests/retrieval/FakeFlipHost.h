#pragma once

#include "model/Provider.h"
#include "retrieval/AutoFlip.h"
#include "retrieval/FlipHost.h"
#include "retrieval/RefreshScheduler.h"

#include <QList>
#include <QObject>
#include <QStringList>

// The running program as the scheduler and auto-flip see it: the test sets
// what they ask, and Follow records what they report by their signals.
class FakeFlipHost : public FlipHost {
public:
    qsizetype CurrentProviderIndex() const override { return Current; }
    QString CurrentCategory() const override { return Category; }
    bool ShowCategories() const override { return Categories; }
    int TreeSelectionValue() const override { return TreeValue; }
    Long SelectedTreeProviderID() const override { return SelectedID; }

    int SelectedArticleRow() const override { return Row; }
    int ArticleRowCount() const override { return Rows; }
    void SelectAndShowArticle(int row) override { Row = row; }
    void ShowProvider(qsizetype index) override {
        Shown.append(index);
        Current = index;
    }

    void Follow(RefreshScheduler& scheduler) {
        QObject::connect(
            &scheduler, &RefreshScheduler::ProviderChanged, &scheduler,
            [this](const Provider& provider) { Changed.append(provider.ProviderName); });
        QObject::connect(&scheduler, &RefreshScheduler::BusyChanged, &scheduler,
                         [this](bool busy) { Busy.append(busy); });
        QObject::connect(&scheduler, &RefreshScheduler::UpdateCheckDue, &scheduler,
                         [this] { ++UpdateChecks; });
    }
    void Follow(AutoFlip& flip) {
        QObject::connect(&flip, &AutoFlip::PlayCaptionChanged, &flip,
                         [this](const QString& caption) { Caption = caption; });
        QObject::connect(&flip, &AutoFlip::PlayIconChanged, &flip,
                         [this](int imageIndex) { Icon = imageIndex; });
    }

    qsizetype Current = 0;
    QString Category;
    bool Categories = true;
    int TreeValue = 1;
    Long SelectedID = 0;
    int UpdateChecks = 0;
    int Row = 0;
    int Rows = 0;
    QList<qsizetype> Shown;

    QStringList Changed;
    QList<bool> Busy;
    QString Caption;
    int Icon = -1;
};
