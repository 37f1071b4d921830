#pragma once

#include "model/Provider.h"
#include "retrieval/FlipWindow.h"

#include <QList>
#include <QStringList>

class FakeFlipWindow : public FlipWindow {
public:
    qsizetype CurrentProviderIndex() const override { return Current; }
    QString CurrentCategory() const override { return Category; }
    bool ShowCategories() const override { return Categories; }
    int TreeSelectionValue() const override { return TreeValue; }
    Long SelectedTreeProviderID() const override { return SelectedID; }
    void SetActiveProviderListProviderColor(Provider& provider) override {
        Coloured.append(provider.ProviderName);
    }
    void SetWaitCursor(bool on) override { WaitCursor.append(on); }
    QString RunUpdateCheck() override {
        ++UpdateChecks;
        return UpdateText;
    }
    void OpenPhoneHomePrompt(const QString& text) override { Prompts.append(text); }

    int SelectedArticleRow() const override { return Row; }
    int ArticleRowCount() const override { return Rows; }
    void SelectAndShowArticle(int row) override { Row = row; }
    void ShowProvider(qsizetype index) override {
        Shown.append(index);
        Current = index;
    }
    void SetPlayButtonCaption(const QString& caption) override { Caption = caption; }
    void SetPlayButtonIcon(int imageIndex) override { Icon = imageIndex; }
    void PostNextArticle() override { ++NextArticlePosts; }

    qsizetype Current = 0;
    QString Category;
    bool Categories = true;
    int TreeValue = 1;
    Long SelectedID = 0;
    QStringList Coloured;
    QList<bool> WaitCursor;
    QString UpdateText;
    int UpdateChecks = 0;
    QStringList Prompts;
    int Row = 0;
    int Rows = 0;
    QList<qsizetype> Shown;
    QString Caption;
    int Icon = -1;
    int NextArticlePosts = 0;
};
