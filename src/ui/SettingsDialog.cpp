#include "ui/SettingsDialog.h"

#include "core/ProgramCore.h"
#include "core/SettingsSession.h"
#include "model/Provider.h"
#include "platform/Twips.h"
#include "ui/SkinFrame.h"
#include "ui/SplashForm.h"

namespace {

// Down and right of the window's corner, so that the window's title stays
// in sight.
constexpr int DialogOffsetTwips = 300;

} // namespace

SettingsDialog::SettingsDialog(ProgramCore& core, QWidget& window, SettingsForm::HelpOpener help)
    : QObject(&window)
    , m_core(core)
    , m_window(window)
    , m_help(std::move(help)) {}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::Show(bool showProviders, Long providerID) {
    if (m_form != nullptr) {
        m_form->raise();
        m_form->activateWindow();
        return;
    }
    m_session = std::make_unique<SettingsSession>(m_core, nullptr);
    m_form = new SettingsForm(m_core, m_help, &m_window);
    SkinFrame::Follow(*m_form, m_window);
    const std::shared_ptr<Provider>& current = m_core.CurrentProvider();
    m_form->SettingsIn(m_session->WorkingSettings(), m_session->WorkingCopy(),
                       current != nullptr ? current->ProviderName : QStringLiteral("/::/"),
                       showProviders);
    if (providerID != 0)
        m_form->SelectProviderByID(providerID);
    const int offset = Twips::ToPixels(DialogOffsetTwips);
    m_form->move(m_window.geometry().topLeft() + QPoint(offset, offset));
    connect(m_form, &QDialog::finished, this, &SettingsDialog::Finish);
    m_form->open();
}

// The form stays until its edits are in effect: putting them into effect
// lets events run (the splash window paints).
void SettingsDialog::Finish() {
    SettingsForm* form = m_form;
    m_form = nullptr;
    if (form == nullptr)
        return;
    disconnect(form, nullptr, this, nullptr);
    if (form->OkPressed()) {
        form->SettingsOut(m_session->WorkingSettings());
        SplashForm splash;
        splash.SetPosition(&m_window);
        splash.show();
        m_session->Apply(form->ProvidersModified(), &splash);
    }
    m_session.reset();
    form->deleteLater();
    emit Closed();
}
