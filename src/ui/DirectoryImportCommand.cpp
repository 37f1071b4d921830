#include "ui/DirectoryImportCommand.h"

#include "core/ProgramCore.h"
#include "platform/MessageBox.h"
#include "platform/OutsideAddresses.h"
#include "ui/ProvidersPage.h"
#include "ui/ReportTextBox.h"

#include <QHBoxLayout>
#include <QPushButton>

DirectoryImportCommand::DirectoryImportCommand(ProgramCore& core, ProvidersPage& page,
                                               BulkAddConfForm::HelpOpener help, OptionsAsker ask,
                                               DirectoryImport::Limits limits)
    : QObject(&page)
    , m_core(core)
    , m_page(page)
    , m_ask(ask ? std::move(ask) : OptionsAsker([help](QWidget* owner, const QString& address) {
        BulkAddConfForm form(help, {}, owner);
        return form.GetBulkAddOptions(QStringLiteral("Add UserLand Providers"),
                                      DirectoryImport::ListName, address, DirectoryImport::Category,
                                      false, true);
    }))
    , m_limits(limits)
    , m_start(new QPushButton(tr("&Directory Import..."), &page))
    , m_cancel(new QPushButton(tr("Stop Import"), &page)) {
    m_start->setObjectName(QStringLiteral("btnDirectoryImport"));
    m_cancel->setObjectName(QStringLiteral("btnCancelDirectoryImport"));
    m_cancel->hide();
    connect(m_start, &QPushButton::clicked, this, &DirectoryImportCommand::Run);
    connect(m_cancel, &QPushButton::clicked, this, &DirectoryImportCommand::Cancel);
    page.ImportRow()->addWidget(m_start);
    page.ImportRow()->addWidget(m_cancel);
}

void DirectoryImportCommand::SetProviders(ProviderCollection* providers) {
    Cancel();
    m_providers = providers;
}

void DirectoryImportCommand::Run() {
    if (m_providers == nullptr || m_import != nullptr)
        return;
    const BulkAddConfForm::Options options = m_ask(&m_page, OutsideAddresses::DirectoryURL());
    if (!options.Ok || options.Source.isEmpty())
        return;
    m_import =
        new DirectoryImport(*m_providers, m_core.Aliases(), m_core.Fetcher(), m_limits, this);
    connect(m_import, &DirectoryImport::Progress, &m_page, &ProvidersPage::ShowProgress);
    connect(m_import, &DirectoryImport::Finished, this, &DirectoryImportCommand::Finish);
    connect(&m_core, &ProgramCore::ProviderUpdated, m_import, &DirectoryImport::DetailsArrived);
    ShowRunning(true);
    m_import->Start({options.Source, options.GetDetails, options.MakeActive});
}

void DirectoryImportCommand::Cancel() {
    if (m_import == nullptr)
        return;
    m_import->Cancel();
    m_import->deleteLater();
    m_import = nullptr;
    ShowRunning(false);
}

// The stop button takes the start button's place, so that the dialog does
// not widen while an import runs.
void DirectoryImportCommand::ShowRunning(bool running) {
    m_start->setEnabled(!running);
    m_start->setVisible(!running);
    m_cancel->setVisible(running);
    if (!running)
        m_page.EndProgress();
}

void DirectoryImportCommand::Finish(const DirectoryImport::Result& result) {
    DirectoryImport* import = std::exchange(m_import, nullptr);
    ShowRunning(false);
    if (result.Available)
        Conclude(*import, result);
    else
        MessageBox::Show(DirectoryImport::NotAvailableText());
    import->deleteLater();
}

void DirectoryImportCommand::Conclude(DirectoryImport& import,
                                      const DirectoryImport::Result& result) {
    m_page.Refill();
    Report(result);
    if (DirectoryImport::ShowBulkAddReport(
            DirectoryImport::ReportListName, result.Added, result.AlreadyKnown, result.Gone,
            result.KnownViaOtherURL) == MessageBoxPresenter::Answer::Yes) {
        import.RemoveGone();
        m_page.Refill();
    }
    emit Imported();
}

// The added providers and the passed-over addresses, line by line.
void DirectoryImportCommand::Report(const DirectoryImport::Result& result) {
    ReportTextBox& report = *m_page.ReportBox();
    report.Reset();
    for (const QString& name : result.AddedNames)
        report.AppendReportLine(tr("Added: %1\n").arg(name), UpdateReport::Blue, false);
    const QString skipped = DirectoryImport::SkippedText(result.Skipped);
    if (!skipped.isEmpty())
        report.AppendReportLine(skipped + QLatin1Char('\n'), UpdateReport::Red, false);
}
