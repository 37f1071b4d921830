#include "config/ProgramVersion.h"
#include "config/ProviderListFile.h"
#include "core/ProgramCore.h"
#include "platform/KnownFolders.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "ui/CommandLine.h"
#include "ui/MainForm.h"
#include "ui/QtMessageBoxPresenter.h"
#include "ui/SingleInstance.h"
#include "ui/TerminationSignals.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Invocation invocation =
        CommandLine::Parse(arguments, qEnvironmentVariable("VARNOCET_HOME"));
    if (invocation.ExitCode)
        return *invocation.ExitCode;
    KnownFolders::SetHome(invocation.Home);

    // The web engine shares its GL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(ProgramName());
    QApplication::setApplicationVersion(ProgramVersionString());
    QApplication::setDesktopFileName(QStringLiteral("varnocet"));
    // The theme's icon once installed; the copy beside the program before.
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("varnocet"),
        QIcon(KnownFolders::DataFolder() + QStringLiteral("/icons/varnocet-256.png"))));

    SingleInstance instance(KnownFolders::Configuration());
    if (!instance.Claim())
        return 0; // the running program shows itself instead

    QtMessageBoxPresenter messageBoxes;
    MessageBox::SetPresenter(&messageBoxes);
    SettingsStore store(KnownFolders::Configuration());
    ProgramCore core(store, ProviderListFile::DefaultPath());
    MainForm mainForm(core);
    QObject::connect(&instance, &SingleInstance::RaiseRequested, &mainForm,
                     &MainForm::RestoreWindow);
    // A signal or the end of the desktop session closes the program as Exit
    // does; the shutdown runs once whichever comes first.
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::Received, &mainForm, [&mainForm] {
        mainForm.ShutdownMainWindow();
        QApplication::quit();
    });
    QObject::connect(&application, &QApplication::aboutToQuit, &mainForm,
                     &MainForm::ShutdownMainWindow);
    mainForm.Load();
    // Ended while starting: there is no event loop to quit yet.
    if (core.IsShutDown())
        return 0;
    return QApplication::exec();
}
