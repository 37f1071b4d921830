#include "ui/CommandLine.h"

#include "config/ProgramVersion.h"

#include <QCommandLineParser>

#include <cstdio>

namespace CommandLine {

Invocation Parse(const QStringList& arguments, const QString& environmentHome) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Varnocet, a desktop headline reader."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    const QCommandLineOption home(
        QStringLiteral("home"),
        QStringLiteral("Keep every file the program writes (preferences, provider list, caches) "
                       "under DIR, for a second profile. The VARNOCET_HOME environment variable "
                       "does the same."),
        QStringLiteral("DIR"));
    parser.addOptions({help, version, home});
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "varnocet: %s\n", qUtf8Printable(parser.errorText()));
        return {2, {}};
    }
    if (parser.isSet(help)) {
        std::printf("Usage: varnocet [options]\n%s\n",
                    qUtf8Printable(parser.helpText().section(QLatin1Char('\n'), 1)));
        return {0, {}};
    }
    if (parser.isSet(version)) {
        std::printf("varnocet %s\n", qUtf8Printable(ProgramVersionString()));
        return {0, {}};
    }
    return {std::nullopt, parser.isSet(home) ? parser.value(home) : environmentHome};
}

} // namespace CommandLine
