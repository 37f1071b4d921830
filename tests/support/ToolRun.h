#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A command-line tool run as a user runs it, with what it printed.
struct ToolRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;

    static ToolRun Of(const QString& program, const QStringList& arguments);
};
