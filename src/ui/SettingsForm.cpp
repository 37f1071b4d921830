#include "ui/SettingsForm.h"

#include "config/Settings.h"
#include "ui/GeneralPage.h"
#include "ui/UpdatesPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* HelpTopicProperty = "helpTopic";

} // namespace

SettingsForm::SettingsForm(ProgramCore& core, HelpOpener help, QWidget* parent)
    : QDialog(parent)
    , m_core(core)
    , m_help(std::move(help))
    , m_tabs(new QTabWidget(this))
    , m_general(new GeneralPage(this))
    , m_updates(new UpdatesPage(this)) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Varnocet Settings"));
    AddTabs();
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
    };
    for (const auto& [page, caption, topic] : tabs) {
        page->setProperty(HelpTopicProperty, QString::fromLatin1(topic));
        m_tabs->addTab(page, caption);
    }
}

QString SettingsForm::HelpTopic() const {
    return m_tabs->currentWidget()->property(HelpTopicProperty).toString();
}

void SettingsForm::SettingsIn(const Settings& settings, ProviderCollection& providers,
                              const QString& providerName, bool showProviders) {
    Q_UNUSED(providers);
    Q_UNUSED(providerName);
    m_general->In(settings);
    m_updates->In(settings);
    m_lastLoadMasterProviderList = settings.LastLoadMasterProviderList;
    m_tabs->setCurrentWidget(showProviders ? m_general : m_general);
}

void SettingsForm::SelectProviderByID(Long uniqueID) {
    Q_UNUSED(uniqueID);
}

void SettingsForm::SettingsOut(Settings& settings) const {
    m_general->Out(settings);
    m_updates->Out(settings);
    settings.LastLoadMasterProviderList = m_lastLoadMasterProviderList;
}

void SettingsForm::Close(bool ok) {
    m_okPressed = ok;
    if (ok)
        accept();
    else
        reject();
}
