#include "ui/SettingsForm.h"

#include "config/Settings.h"
#include "core/ProgramCore.h"
#include "core/SkinSelection.h"
#include "feeds/FeedDates.h"
#include "model/ProviderCollection.h"
#include "ui/CategoriesPage.h"
#include "ui/DirectoryImportCommand.h"
#include "ui/GeneralPage.h"
#include "ui/LocationsPage.h"
#include "ui/OpmlCommands.h"
#include "ui/ProvidersPage.h"
#include "ui/SkinsPage.h"
#include "ui/StatisticsPage.h"
#include "ui/UpdatesPage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* HelpTopicProperty = "helpTopic";

} // namespace

SettingsForm::SettingsForm(ProgramCore& core, HelpOpener help, QWidget* parent)
    : QDialog(parent)
    , m_help(std::move(help))
    , m_tabs(new QTabWidget(this))
    , m_general(new GeneralPage(this))
    , m_updates(new UpdatesPage(this))
    , m_providers(new ProvidersPage(
          core, [this](qsizetype count) { return m_general->ConfirmsDelete(count); }, this))
    , m_statistics(new StatisticsPage(this))
    , m_skins(new SkinsPage(
          core.Skins().Skins(), [this] { return m_locations->SkinDirectory(); }, m_help,
          DesktopActions(), this))
    , m_locations(new LocationsPage(this))
    , m_categories(new CategoriesPage(this))
    , m_opml(new OpmlCommands(*m_providers->ImportRow(), *m_providers))
    , m_directory(new DirectoryImportCommand(core, *m_providers, m_help)) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Varnocet Settings"));
    AddTabs();
    ConnectPages();
    connect(m_updates, &UpdatesPage::UpdateCheckRequested, &core,
            &ProgramCore::CheckForProgramUpdate);
    connect(&core, &ProgramCore::UpdateCheckAnswered, m_updates,
            &UpdatesPage::ShowUpdateCheckAnswer);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Close(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { Close(false); });
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { m_help(HelpTopic()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

SettingsForm::~SettingsForm() = default;

void SettingsForm::AddTabs() {
    const std::tuple<QWidget*, QString, const char*> tabs[] = {
        {m_general, tr("General"), "SettingsGeneral"},
        {m_updates, tr("Updates"), "SettingsUpdates"},
        {m_providers, tr("Providers"), "SettingsProviders"},
        {m_statistics, tr("Statistics"), "SettingsStatistics"},
        {m_skins, tr("Skins"), "SettingsSkins"},
        {m_locations, tr("Locations"), "SettingsLocations"},
        {m_categories, tr("Categories"), "SettingsCategories"},
    };
    for (const auto& [page, caption, topic] : tabs) {
        page->setProperty(HelpTopicProperty, QString::fromLatin1(topic));
        m_tabs->addTab(page, caption);
    }
}

// Every tab edits the same working copy: one that is shown again reads what
// the others changed.
void SettingsForm::ConnectPages() {
    connect(m_providers, &ProvidersPage::Modified, this, &SettingsForm::MarkProvidersModified);
    connect(m_statistics, &StatisticsPage::Modified, this, &SettingsForm::MarkProvidersModified);
    connect(m_categories, &CategoriesPage::Modified, this, &SettingsForm::MarkProvidersModified);
    connect(m_providers, &ProvidersPage::MasterListMerged, this,
            [this] { m_updates->ShowMasterListDate(m_lastLoadMasterProviderList); });
    connect(m_opml, &OpmlCommands::Imported, this, [this] {
        MarkProvidersModified();
        m_providers->Refill();
    });
    connect(m_directory, &DirectoryImportCommand::Imported, this, [this] {
        m_lastLoadUserLand = FeedDates::Now();
        MarkProvidersModified();
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &SettingsForm::RefillShownPage);
}

void SettingsForm::RefillShownPage() {
    QWidget* shown = m_tabs->currentWidget();
    if (shown == m_providers)
        m_providers->Refill();
    else if (shown == m_statistics)
        m_statistics->Refill();
    else if (shown == m_categories)
        m_categories->Refill();
    else if (shown == m_skins)
        m_skins->Refill();
}

QString SettingsForm::HelpTopic() const {
    return m_tabs->currentWidget()->property(HelpTopicProperty).toString();
}

void SettingsForm::SettingsIn(const Settings& settings, ProviderCollection& providers,
                              const QString& providerName, bool showProviders) {
    m_lastLoadMasterProviderList = settings.LastLoadMasterProviderList;
    m_lastLoadUserLand = settings.LastLoadUserLand;
    m_general->In(settings);
    m_updates->In(settings);
    m_providers->In(providers, providerName, m_lastLoadMasterProviderList);
    m_statistics->In(settings, providers);
    m_skins->In(settings);
    m_locations->In(settings);
    m_categories->In(providers);
    m_opml->SetProviders(&providers);
    m_directory->SetProviders(&providers);
    m_tabs->setCurrentWidget(showProviders ? static_cast<QWidget*>(m_providers) : m_general);
}

void SettingsForm::SelectProviderByID(Long uniqueID) {
    m_tabs->setCurrentWidget(m_providers);
    m_providers->SelectProviderByID(uniqueID);
}

void SettingsForm::SettingsOut(Settings& settings) const {
    m_general->Out(settings);
    m_updates->Out(settings);
    m_skins->Out(settings);
    m_locations->Out(settings);
    settings.LastLoadMasterProviderList = m_lastLoadMasterProviderList;
    settings.LastLoadUserLand = m_lastLoadUserLand;
}

void SettingsForm::Close(bool ok) {
    m_okPressed = ok;
    done(ok ? Accepted : Rejected);
}

// However the dialog closes (Escape and the window's close button too), the
// pages let go of the working copy before it is adopted or dropped.
void SettingsForm::done(int result) {
    m_providers->Release();
    m_statistics->Release();
    m_categories->Release();
    m_opml->SetProviders(nullptr);
    m_directory->SetProviders(nullptr);
    QDialog::done(result);
}
