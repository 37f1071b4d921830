#include "ui/ProvidersPage.h"

#include "config/DefaultProviders.h"
#include "core/ProgramCore.h"
#include "core/RepeatSchedule.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/MessageBox.h"
#include "retrieval/FeedFetcher.h"
#include "ui/AddFeedDialog.h"
#include "ui/ProviderDetailsPanel.h"
#include "ui/ReportTextBox.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

using Selection = ProviderListEditor::Selection;

// The name that selects no provider.
const QString NoProvider = QStringLiteral("/::/");
const QString NewProviderCategory = QStringLiteral("General");

} // namespace

ProvidersPage::ProvidersPage(ProgramCore& core, std::function<bool(qsizetype count)> confirmDelete,
                             QWidget* parent)
    : QWidget(parent)
    , m_core(core)
    , m_confirmDelete(std::move(confirmDelete))
    , m_list(new QListWidget(this))
    , m_count(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_status(new QLabel(this))
    , m_moveUp(AddButton("btnMoveUp", QStringLiteral("Move &Up")))
    , m_moveDown(AddButton("btnMoveDown", QStringLiteral("Move Do&wn")))
    , m_upRepeat(new RepeatSchedule([this] { return Move(true); }, this))
    , m_downRepeat(new RepeatSchedule([this] { return Move(false); }, this))
    , m_details(new ProviderDetailsPanel(core.Images(), this))
    , m_updates(new ReportTextBox(this))
    , m_importRow(new QHBoxLayout) {
    m_list->setObjectName(QStringLiteral("lstProviders"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_count->setObjectName(QStringLiteral("labProviderCount"));
    m_progress->setObjectName(QStringLiteral("prgProviders"));
    m_progress->hide();
    m_status->setObjectName(QStringLiteral("labProviderStatus"));
    m_upRepeat->setObjectName(QStringLiteral("upRepeat"));
    m_downRepeat->setObjectName(QStringLiteral("downRepeat"));
    m_updates->setObjectName(QStringLiteral("txtProviderUpdates"));

    QPushButton* newButton = AddButton("btnNewProvider", QStringLiteral("&New..."));
    QPushButton* deleteButton = AddButton("btnDeleteProvider", QStringLiteral("&Delete"));
    QPushButton* sortButton = AddButton("btnSort", QStringLiteral("S&ort"));
    QPushButton* sortSelectedButton =
        AddButton("btnSortSelected", QStringLiteral("Sort Se&lected"));
    QPushButton* activateAllButton = AddButton("btnActivateAll", QStringLiteral("Acti&vate All"));
    QPushButton* deactivateAllButton =
        AddButton("btnDeactivateAll", QStringLiteral("Deactivat&e All"));
    QPushButton* builtInButton =
        AddButton("btnBuiltInProviders", QStringLiteral("&Built-in Providers"));
    BuildMoveButton(m_moveUp, m_upRepeat, true);
    BuildMoveButton(m_moveDown, m_downRepeat, false);
    connect(newButton, &QPushButton::clicked, this, &ProvidersPage::NewProvider);
    connect(deleteButton, &QPushButton::clicked, this, &ProvidersPage::DeleteProviders);
    connect(sortButton, &QPushButton::clicked, this, [this] { SortProviders(false); });
    connect(sortSelectedButton, &QPushButton::clicked, this, [this] { SortProviders(true); });
    connect(activateAllButton, &QPushButton::clicked, this, [this] { SetAllActive(true); });
    connect(deactivateAllButton, &QPushButton::clicked, this, [this] { SetAllActive(false); });
    connect(builtInButton, &QPushButton::clicked, this, &ProvidersPage::AddBuiltInProviders);

    auto* commands = new QGridLayout;
    const QList<QPushButton*> buttons{newButton,         deleteButton,       m_moveUp,
                                      m_moveDown,        sortButton,         sortSelectedButton,
                                      activateAllButton, deactivateAllButton};
    for (qsizetype i = 0; i < buttons.size(); ++i)
        commands->addWidget(buttons.at(i), static_cast<int>(i / 4), static_cast<int>(i % 4));
    m_importRow->addWidget(builtInButton);
    m_importRow->addStretch();
    auto* list = new QVBoxLayout;
    list->addWidget(m_count);
    list->addWidget(m_progress);
    list->addWidget(m_list, 1);
    list->addLayout(commands);
    list->addLayout(m_importRow);
    list->addWidget(m_updates);
    auto* details = new QVBoxLayout;
    details->addWidget(m_details);
    details->addWidget(m_status);
    details->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(details, 1);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &ProvidersPage::OnSelectionChanged);
    connect(m_details, &ProviderDetailsPanel::Modified, this, &ProvidersPage::Changed);
    connect(m_details, &ProviderDetailsPanel::NameChanged, this, [this] {
        const qsizetype position = PositionOf(m_details->Shown().get());
        if (position > 0)
            m_list->item(static_cast<int>(position - 1))->setText(m_details->Shown()->ProviderName);
    });
    connect(m_details, &ProviderDetailsPanel::ActiveToggled, this,
            &ProvidersPage::SetSelectedActive);
    connect(m_details, &ProviderDetailsPanel::DetailsWanted, this,
            [this] { RequestDetails(*m_details->Shown()); });
    connect(&core, &ProgramCore::ProviderUpdated, this, &ProvidersPage::OnProviderUpdated);
    // Nothing to edit until In gives the working copy.
    setEnabled(false);
}

QPushButton* ProvidersPage::AddButton(const char* objectName, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

// Holding the button repeats the move; a short click moves once.
void ProvidersPage::BuildMoveButton(QPushButton* button, RepeatSchedule* repeat, bool up) {
    connect(button, &QPushButton::pressed, repeat,
            [repeat] { repeat->Start(QGuiApplication::keyboardModifiers() != Qt::NoModifier); });
    connect(button, &QPushButton::released, repeat, &RepeatSchedule::Stop);
    connect(button, &QPushButton::clicked, this, [this, repeat, up] {
        if (repeat->Ticks() == 0)
            Move(up);
    });
}

void ProvidersPage::In(ProviderCollection& providers, const QString& name, Date& masterListDate) {
    m_providers = &providers;
    m_masterListDate = &masterListDate;
    m_updates->Reset();
    m_status->clear();
    m_details->SetProviders(&providers);
    const qsizetype position = name == NoProvider ? -1 : providers.LocateProvider(name);
    FillList(position > 0 ? Selection{position} : Selection{});
    ShowCount();
    setEnabled(true);
}

void ProvidersPage::Release() {
    setEnabled(false);
    m_upRepeat->Stop();
    m_downRepeat->Stop();
    if (m_providers != nullptr)
        m_providers->CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    m_details->SetProviders(nullptr);
    m_list->clear();
    m_providers = nullptr;
    m_masterListDate = nullptr;
}

void ProvidersPage::Refill() {
    if (m_providers == nullptr)
        return;
    FillList(SelectedPositions());
    ShowCount();
    m_details->FillCategories();
    m_details->Refresh();
}

void ProvidersPage::SelectProviderByID(Long uniqueID) {
    if (m_providers == nullptr)
        return;
    const qsizetype position = m_providers->LocateProviderByUniqueID(uniqueID);
    Select(position > 0 ? Selection{position} : Selection{});
}

void ProvidersPage::ShowProgress(int value, int maximum) {
    m_count->hide();
    m_progress->setRange(0, maximum);
    m_progress->setValue(value);
    m_progress->show();
}

void ProvidersPage::EndProgress() {
    m_progress->hide();
    m_count->show();
}

void ProvidersPage::FillList(const Selection& selection) {
    {
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        for (const auto& provider : *m_providers)
            m_list->addItem(provider->ProviderName);
    }
    Select(selection);
}

Selection ProvidersPage::SelectedPositions() const {
    Selection selection;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        selection.append(index.row() + 1);
    std::sort(selection.begin(), selection.end());
    return selection;
}

void ProvidersPage::Select(const Selection& selection) {
    {
        const QSignalBlocker blocker(m_list);
        QItemSelection rows;
        for (qsizetype position : selection) {
            const QModelIndex index = m_list->model()->index(static_cast<int>(position - 1), 0);
            rows.select(index, index);
        }
        m_list->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
        if (!selection.isEmpty()) {
            m_list->setCurrentRow(static_cast<int>(selection.first() - 1),
                                  QItemSelectionModel::NoUpdate);
            m_list->scrollToItem(m_list->currentItem());
        }
    }
    OnSelectionChanged();
}

void ProvidersPage::OnSelectionChanged() {
    UpdateMoveButtons();
    const Selection selection = SelectedPositions();
    // The provider last clicked, when it is among the selected ones.
    const qsizetype current = m_list->currentRow() + 1;
    const qsizetype shown =
        selection.contains(current) ? current : (selection.isEmpty() ? 0 : selection.first());
    std::shared_ptr<Provider> provider = shown > 0 ? m_providers->Item(shown) : nullptr;
    if (provider == m_details->Shown())
        return;
    m_status->clear();
    m_details->Show(provider);
    if (provider != nullptr && provider->NeedsDetails)
        RequestDetails(*provider);
}

void ProvidersPage::UpdateMoveButtons() {
    const Selection selection = SelectedPositions();
    const ProviderListEditor editor(*m_providers);
    m_moveUp->setEnabled(editor.CanMoveUp(selection));
    m_moveDown->setEnabled(editor.CanMoveDown(selection));
}

void ProvidersPage::ShowCount() {
    m_count->setText(ProviderListEditor::ProviderCountLabel(*m_providers));
}

void ProvidersPage::Changed() {
    ShowCount();
    emit Modified();
}

// By identity: lists read from older files may repeat an ID.
qsizetype ProvidersPage::PositionOf(const Provider* provider) const {
    const auto found = std::find_if(m_providers->begin(), m_providers->end(),
                                    [&](const auto& own) { return own.get() == provider; });
    return found == m_providers->end() ? -1 : found - m_providers->begin() + 1;
}

void ProvidersPage::RequestDetails(Provider& provider) {
    m_status->setText(QStringLiteral("Getting provider details..."));
    m_core.Fetcher().GrabProviderDetails(provider);
    // An address that cannot be fetched ends the request at once, unannounced.
    if ((provider.PendingOperations & PendingOperation::Details) == 0)
        OnProviderUpdated(provider);
}

void ProvidersPage::OnProviderUpdated(const Provider& provider) {
    if (m_providers == nullptr)
        return;
    const qsizetype position = PositionOf(&provider);
    if (position < 0)
        return;
    m_list->item(static_cast<int>(position - 1))->setText(provider.ProviderName);
    if (m_details->Shown().get() != &provider)
        return;
    m_details->Refresh();
    if ((provider.PendingOperations & PendingOperation::Details) == 0)
        m_status->clear();
}

void ProvidersPage::NewProvider() {
    AddFeedDialog dialog(m_providers->Categories(), NewProviderCategory, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ProviderSubscription::Result result =
        ProviderListEditor(*m_providers).New(dialog.Address(), dialog.Category());
    if (result.provider == nullptr)
        return;
    if (result.outcome == ProviderSubscription::Outcome::Added) {
        m_list->addItem(result.provider->ProviderName);
        m_details->FillCategories();
    }
    Select({PositionOf(result.provider.get())});
    m_details->Refresh();
    Changed();
}

void ProvidersPage::DeleteProviders() {
    const Selection selection = SelectedPositions();
    const qsizetype count = selection.size();
    if (m_confirmDelete(count) &&
        MessageBox::Show(ProviderListEditor::DeleteQuestion(count),
                         MessageBoxPresenter::Buttons::YesNo,
                         QStringLiteral("Delete?")) != MessageBoxPresenter::Answer::Yes)
        return;
    if (count == 0)
        return;
    m_details->Show(nullptr);
    ProviderListEditor(*m_providers).Delete(selection);
    m_list->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(m_list);
        for (auto it = selection.rbegin(); it != selection.rend(); ++it)
            delete m_list->takeItem(static_cast<int>(*it - 1));
    }
    m_list->setUpdatesEnabled(true);
    OnSelectionChanged();
    Changed();
}

bool ProvidersPage::Move(bool up) {
    const Selection selection = SelectedPositions();
    ProviderListEditor editor(*m_providers);
    if (!(up ? editor.CanMoveUp(selection) : editor.CanMoveDown(selection)))
        return false;
    const Selection moved = up ? editor.MoveUp(selection) : editor.MoveDown(selection);
    // The block and the provider it passed.
    const qsizetype first = std::min(selection.first(), moved.first());
    const qsizetype last = std::max(selection.last(), moved.last());
    for (qsizetype position = first; position <= last; ++position)
        m_list->item(static_cast<int>(position - 1))
            ->setText(m_providers->Item(position)->ProviderName);
    Select(moved);
    Changed();
    return (up ? m_moveUp : m_moveDown)->isEnabled();
}

void ProvidersPage::SortProviders(bool selectedOnly) {
    ProviderListEditor editor(*m_providers);
    if (selectedOnly)
        editor.SortSelected(SelectedPositions());
    else
        editor.Sort();
    FillList({});
    Changed();
}

void ProvidersPage::SetAllActive(bool active) {
    ProviderListEditor(*m_providers).SetAllActive(active);
    m_details->Refresh();
    Changed();
}

void ProvidersPage::SetSelectedActive(bool active) {
    for (qsizetype position : SelectedPositions())
        m_providers->Item(position)->Active = active;
    Changed();
}

void ProvidersPage::AddBuiltInProviders() {
    const auto status = [this](const QString& text) {
        m_status->setText(text);
        m_status->repaint();
    };
    status(QStringLiteral("Adding providers..."));
    const std::vector<std::shared_ptr<Provider>> before(m_providers->begin(), m_providers->end());
    const Date lastMerge = *m_masterListDate;
    bool changed = DefaultProviders::AddDefaultProviders(
        *m_providers, m_updates, true, *m_masterListDate, nullptr, false, m_core.MasterList());
    if (*m_masterListDate != lastMerge)
        emit MasterListMerged();
    status(QStringLiteral("Sorting providers..."));
    ProviderListEditor(*m_providers).Sort();
    changed = changed ||
              !std::equal(before.begin(), before.end(), m_providers->begin(), m_providers->end());
    status(QStringLiteral("Filling lists..."));
    FillList({});
    m_details->FillCategories();
    m_status->clear();
    if (changed)
        Changed();
}
