#pragma once

#include <QStringList>

#include <optional>

// The program's command line. Informational options are answered before
// any window system is needed, so `varnocet --version` works on a console.
namespace CommandLine {

// Handles --help and --version (and reports unknown options): prints to
// standard output or error and returns the exit code; nothing when the
// program should start.
std::optional<int> HandleInformational(const QStringList& arguments);

} // namespace CommandLine
