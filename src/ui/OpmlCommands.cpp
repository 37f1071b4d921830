#include "ui/OpmlCommands.h"

#include "config/OpmlExport.h"
#include "config/OpmlImport.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>

namespace {

QString AskForFile(QWidget* parent, bool save) {
    const QString filter = QObject::tr("OPML files (*.opml *.xml);;All files (*)");
    if (save)
        return QFileDialog::getSaveFileName(parent, QObject::tr("Export OPML"),
                                            QDir::home().filePath(QStringLiteral("varnocet.opml")),
                                            filter);
    return QFileDialog::getOpenFileName(parent, QObject::tr("Import OPML"), QDir::homePath(),
                                        filter);
}

} // namespace

OpmlCommands::OpmlCommands(QBoxLayout& row, QWidget& owner, FilePicker picker)
    : QObject(&owner)
    , m_owner(owner)
    , m_pick(picker ? std::move(picker) : FilePicker(AskForFile)) {
    const std::tuple<const char*, QString, void (OpmlCommands::*)()> commands[] = {
        {"btnImportOpml", tr("Import OPML..."), &OpmlCommands::Import},
        {"btnExportOpml", tr("Export OPML..."), &OpmlCommands::Export},
    };
    for (const auto& [name, caption, command] : commands) {
        auto* button = new QPushButton(caption, &owner);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, command);
        row.addWidget(button);
    }
}

void OpmlCommands::Import() {
    if (m_providers == nullptr)
        return;
    const QString file = m_pick(&m_owner, false);
    if (file.isEmpty())
        return;
    const OpmlImportReport report = OpmlImport(*m_providers).ImportFile(file);
    if (!report.Added.isEmpty())
        emit Imported();
    MessageBox::Show(report.Text(), MessageBoxPresenter::Buttons::Ok, tr("Import OPML"));
}

void OpmlCommands::Export() {
    if (m_providers == nullptr)
        return;
    const QString file = m_pick(&m_owner, true);
    if (file.isEmpty())
        return;
    const OpmlExport::Result result = OpmlExport::WriteFile(*m_providers, file);
    MessageBox::Show(result.Text(), MessageBoxPresenter::Buttons::Ok, tr("Export OPML"));
}
