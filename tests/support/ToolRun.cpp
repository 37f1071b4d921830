#include "support/ToolRun.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

ToolRun ToolRun::Of(const QString& program, const QStringList& arguments) {
    QProcess process;
    // Waits in the event loop, not in waitForFinished: a test's own server
    // in this process has to answer the tool meanwhile.
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    process.start(program, arguments);
    loop.exec();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
