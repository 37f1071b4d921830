#pragma once

#include "platform/Types.h"
#include "ui/SettingsForm.h"

#include <QObject>
#include <QPointer>

#include <memory>

class ProgramCore;
class SettingsSession;

// Opens the settings dialog over the main window and, on OK, puts what the
// user chose into effect. The dialog is window-modal and does not block:
// the program's timers are held while it is open, fetches it asks for
// (provider details) run on.
class SettingsDialog : public QObject {
    Q_OBJECT

public:
    SettingsDialog(ProgramCore& core, QWidget& window, SettingsForm::HelpOpener help);
    ~SettingsDialog() override;

    // On the Providers tab when asked, with `providerID` selected there (0:
    // the provider on show). An open dialog is brought to the front.
    void Show(bool showProviders, Long providerID = 0);
    // Null while the dialog is closed.
    SettingsForm* Form() const { return m_form; }

signals:
    // The dialog closed and its edits, if any, are in effect.
    void Closed();

private:
    void Finish();

    ProgramCore& m_core;
    QWidget& m_window;
    SettingsForm::HelpOpener m_help;
    std::unique_ptr<SettingsSession> m_session;
    QPointer<SettingsForm> m_form;
};
