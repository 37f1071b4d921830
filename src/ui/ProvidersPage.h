#pragma once

#include "core/ProviderListEditor.h"
#include "platform/Date.h"
#include "platform/Types.h"

#include <QWidget>

#include <functional>

class ProgramCore;
class Provider;
class ProviderCollection;
class ProviderDetailsPanel;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class RepeatSchedule;
class ReportTextBox;

// The settings dialog's Providers tab: the working copy of the provider list
// with its commands, and the details of the chosen provider.
class ProvidersPage : public QWidget {
    Q_OBJECT

public:
    // confirmDelete(count): whether deleting `count` selected providers asks
    // first.
    ProvidersPage(ProgramCore& core, std::function<bool(qsizetype count)> confirmDelete,
                  QWidget* parent = nullptr);

    // Keeps the working copy by reference until Release; selects the
    // provider named `name` ("/::/" selects none). `masterListDate` is the
    // dialog's copy of the master list's last merge date, which the
    // built-in providers command updates.
    void In(ProviderCollection& providers, const QString& name, Date& masterListDate);
    // Forgets the working copy, stops a repeating move and calls off the
    // fetches of the copy's providers.
    void Release();
    // The list or its categories changed elsewhere (an import, the
    // Categories tab): the list and the category chooser follow.
    void Refill();
    void SelectProviderByID(Long uniqueID);

    // The row of import commands, for more of them.
    QHBoxLayout* ImportRow() const { return m_importRow; }
    // Where the commands of the row report what they did.
    ReportTextBox* ReportBox() const { return m_updates; }
    // A long command's bar in place of the provider count; maximum 0: busy.
    void ShowProgress(int value, int maximum);
    void EndProgress();

signals:
    // The working list changed.
    void Modified();
    // The master list was merged; the date passed to In has its new value.
    void MasterListMerged();

private:
    QPushButton* AddButton(const char* objectName, const QString& text);
    void BuildMoveButton(QPushButton* button, RepeatSchedule* repeat, bool up);
    void FillList(const ProviderListEditor::Selection& selection);
    ProviderListEditor::Selection SelectedPositions() const;
    void Select(const ProviderListEditor::Selection& selection);
    void OnSelectionChanged();
    void UpdateMoveButtons();
    void ShowCount();
    void Changed();
    qsizetype PositionOf(const Provider* provider) const;
    void RequestDetails(Provider& provider);
    void OnProviderUpdated(const Provider& provider);

    void NewProvider();
    void DeleteProviders();
    bool Move(bool up);
    void SortProviders(bool selectedOnly);
    void SetAllActive(bool active);
    void SetSelectedActive(bool active);
    void AddBuiltInProviders();

    ProgramCore& m_core;
    std::function<bool(qsizetype)> m_confirmDelete;
    ProviderCollection* m_providers = nullptr;
    Date* m_masterListDate = nullptr;

    QListWidget* m_list;
    QLabel* m_count;
    QProgressBar* m_progress;
    QLabel* m_status;
    QPushButton* m_moveUp;
    QPushButton* m_moveDown;
    RepeatSchedule* m_upRepeat;
    RepeatSchedule* m_downRepeat;
    ProviderDetailsPanel* m_details;
    ReportTextBox* m_updates;
    QHBoxLayout* m_importRow;
};
