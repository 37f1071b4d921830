#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The program's command line. Informational options are answered before
// any window system is needed, so `varnocet --version` works on a console.
namespace CommandLine {

struct Invocation {
    // Set when the program should end at once with this code (after --help,
    // --version or a usage error, already printed).
    std::optional<int> ExitCode;
    // The folder every file the program writes goes under: --home DIR, else
    // `environmentHome` (VARNOCET_HOME); empty for the usual places.
    QString Home;
};

Invocation Parse(const QStringList& arguments, const QString& environmentHome);

} // namespace CommandLine
