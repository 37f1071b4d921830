#include "config/ProgramVersion.h"
#include "config/ProviderListFile.h"
#include "platform/KnownFolders.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "ui/CommandLine.h"
#include "ui/MainForm.h"
#include "ui/QtMessageBoxPresenter.h"

#include <QApplication>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto exitCode = CommandLine::HandleInformational(arguments))
        return *exitCode;

    QApplication application(argc, argv);
    QApplication::setApplicationName(ProgramName());
    QApplication::setApplicationVersion(ProgramVersionString());
    QApplication::setDesktopFileName(QStringLiteral("varnocet"));

    QtMessageBoxPresenter messageBoxes;
    MessageBox::SetPresenter(&messageBoxes);
    SettingsStore store(KnownFolders::Configuration());
    MainForm mainForm(store, ProviderListFile::DefaultPath());
    mainForm.Load();
    return QApplication::exec();
}
