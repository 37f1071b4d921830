#pragma once

#include "core/DirectoryImport.h"
#include "ui/BulkAddConfForm.h"

#include <QObject>

#include <functional>

class ProgramCore;
class ProviderCollection;
class ProvidersPage;
class QPushButton;

// "Directory Import..." of the settings dialog's Providers tab: providers
// from a provider directory's service list into the working copy, behind
// the tab's progress bar. The dialog stays usable meanwhile; the command's
// Cancel button calls the import off without a change.
class DirectoryImportCommand : public QObject {
    Q_OBJECT

public:
    // Asks for the options, the address offered first; the confirmation
    // window unless tests answer in its place.
    using OptionsAsker =
        std::function<BulkAddConfForm::Options(QWidget* owner, const QString& address)>;

    // The buttons go to the page's import row.
    DirectoryImportCommand(ProgramCore& core, ProvidersPage& page, BulkAddConfForm::HelpOpener help,
                           OptionsAsker ask = {},
                           DirectoryImport::Limits limits = DirectoryImport::Limits());

    // Null while the dialog has no working copy; an import under way is
    // called off.
    void SetProviders(ProviderCollection* providers);

signals:
    // An import read the list and changed the working copy to match.
    void Imported();

private:
    void Run();
    void Cancel();
    void Finish(const DirectoryImport::Result& result);
    void Conclude(DirectoryImport& import, const DirectoryImport::Result& result);
    void Report(const DirectoryImport::Result& result);
    void ShowRunning(bool running);

    ProgramCore& m_core;
    ProvidersPage& m_page;
    OptionsAsker m_ask;
    DirectoryImport::Limits m_limits;
    ProviderCollection* m_providers = nullptr;
    DirectoryImport* m_import = nullptr;
    QPushButton* m_start;
    QPushButton* m_cancel;
};
