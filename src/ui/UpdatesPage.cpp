#include "ui/UpdatesPage.h"

#include "config/Settings.h"
#include "platform/OutsideAddresses.h"
#include "ui/DesktopActions.h"
#include "ui/NoticeBox.h"
#include "ui/SettingsCheckBoxes.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString DownloadSite() {
    const QString page = OutsideAddresses::DownloadPage();
    return page.isEmpty() ? OutsideAddresses::HomePage() : page;
}

} // namespace

UpdatesPage::UpdatesPage(QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckGroup());
    layout->addWidget(BackgroundGroup());
    layout->addStretch();
}

UpdatesPage::~UpdatesPage() = default;

QWidget* UpdatesPage::CheckGroup() {
    auto* group = new QGroupBox(tr("Updates"), this);
    auto* layout = new QVBoxLayout(group);
    m_checks = std::make_unique<SettingsCheckBoxes>(
        QList<SettingsCheckBoxes::Binding>{
            {"chkCheckForProviderUpdates",
             tr("Merge the master provider list at every start, with a report"),
             &Settings::CheckForProviderUpdates},
            {"chkCheckForUpdates", tr("Check for a new version of Varnocet"),
             &Settings::CheckForUpdates},
        },
        *layout, *group);
    m_masterListDate = new QLabel(group);
    m_masterListDate->setObjectName(QStringLiteral("labLastLoadMasterProviderSet"));
    layout->addWidget(m_masterListDate);
    layout->addLayout(ProgramUpdateButtons(*group));
    return group;
}

QLayout* UpdatesPage::ProgramUpdateButtons(QWidget& group) {
    auto* row = new QHBoxLayout;
    m_checkNow = new QPushButton(tr("Check Now"), &group);
    m_checkNow->setObjectName(QStringLiteral("btnCheckForUpdate"));
    connect(m_checkNow, &QPushButton::clicked, this, &UpdatesPage::RequestUpdateCheck);
    auto* download = new QPushButton(tr("Visit Download Site"), &group);
    download->setObjectName(QStringLiteral("btnVisitDownloadSite"));
    const QString site = DownloadSite();
    if (site.isEmpty()) {
        download->setEnabled(false);
        download->setToolTip(tr("No download page is configured for this build."));
    } else {
        download->setToolTip(site);
        connect(download, &QPushButton::clicked, this,
                [site] { DesktopActions().OpenWebPage(site); });
    }
    row->addWidget(m_checkNow);
    row->addWidget(download);
    row->addStretch();
    return row;
}

// Disabled first: the answer may come before the request returns.
void UpdatesPage::RequestUpdateCheck() {
    m_checkNow->setEnabled(false);
    emit UpdateCheckRequested();
}

void UpdatesPage::ShowUpdateCheckAnswer(const QString& text) {
    m_checkNow->setEnabled(true);
    NoticeBox::Open(window(), QMessageBox::Information, text);
}

// The buttons' IDs are the stored values of backgroundUpdateMode.
QWidget* UpdatesPage::BackgroundGroup() {
    auto* group = new QGroupBox(tr("Background refresh"), this);
    auto* layout = new QVBoxLayout(group);
    m_background = new QButtonGroup(this);
    const std::pair<const char*, QString> options[] = {
        {"optNone", tr("Refresh only the provider on show")},
        {"optVisible", tr("Refresh the providers of the categories on show")},
        {"optAll", tr("Refresh all active providers")},
    };
    int mode = 0;
    for (const auto& [name, caption] : options) {
        auto* option = new QRadioButton(caption, group);
        option->setObjectName(QString::fromLatin1(name));
        m_background->addButton(option, mode++);
        layout->addWidget(option);
    }
    return group;
}

void UpdatesPage::In(const Settings& settings) {
    m_checks->In(settings);
    if (QAbstractButton* option =
            m_background->button(static_cast<int>(settings.backgroundUpdateMode)))
        option->setChecked(true);
    ShowMasterListDate(settings.LastLoadMasterProviderList);
}

void UpdatesPage::Out(Settings& settings) const {
    m_checks->Out(settings);
    if (m_background->checkedId() >= 0)
        settings.backgroundUpdateMode = m_background->checkedId();
}

void UpdatesPage::ShowMasterListDate(const Date& merged) {
    const QString when = merged == Date::Never()
                             ? tr("(never)")
                             : QLocale().toString(merged.ToQDateTime(), QLocale::ShortFormat);
    m_masterListDate->setText(tr("Master provider list last merged: %1").arg(when));
}
